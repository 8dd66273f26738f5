#pragma once

#include "base/windows_api.h"

#include <shobjidl.h>

namespace orvelin::win32 {

// The progress a window's taskbar button shows, where the system has one to show: without it (an
// older shell, no COM on the thread) every call does nothing.
class TaskbarProgress {
public:
  TaskbarProgress() = default;
  TaskbarProgress(const TaskbarProgress &) = delete;
  TaskbarProgress &operator=(const TaskbarProgress &) = delete;
  ~TaskbarProgress();

  void show(HWND window, bool shown);
  // fraction from 0 to 1.
  void set(HWND window, double fraction);

private:
  ITaskbarList3 *taskbar_ = nullptr;
  bool comStarted_ = false;
};

} // namespace orvelin::win32
