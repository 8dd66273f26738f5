#pragma once

#include "base/windows_api.h"
#include "ui/window_system.h"

#include <deque>

namespace orvelin::win32 {

// The program's windows as Win32 windows, switched inside the thread's message loop.
class Win32WindowSystem final : public WindowSystem {
public:
  Win32WindowSystem();
  ~Win32WindowSystem() override;

  [[nodiscard]] std::unique_ptr<RenderedWindow> create(const WindowDesign &design, WindowEvents &events) override;
  void runAfterHandler(std::function<void()> task) override;
  void endProgram() override;

  // Takes and dispatches the thread's messages until endProgram; the program's exit code.
  int run();

private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void runNextTask();

  // Receives one message for each task, which the loop takes in turn, as it takes any other.
  HWND tasksWindow_ = nullptr;
  // Tasks not yet run when the system goes are dropped with it.
  std::deque<std::function<void()>> tasks_;
  bool ended_ = false;
};

} // namespace orvelin::win32
