#pragma once

#include "base/windows_api.h"
#include "ui/job_runner.h"

namespace orvelin::win32 {

// The thread's message loop while a job runs: paints, timers and everything the system sends are
// dispatched; clicks, presses through assistive technology, keys and dropped files meant for the
// window or its controls are taken from the queue and dropped, so the window keeps its look, and
// nothing of it waits for later.
class Win32EventPump final : public EventPump {
public:
  explicit Win32EventPump(WindowView &window);

  void pumpFor(std::chrono::milliseconds period) override;

private:
  HWND window_;
};

} // namespace orvelin::win32
