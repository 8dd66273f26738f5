#include "frontends/win32/win32_window_system.h"

#include "frontends/win32/win32_window.h"
#include "frontends/win32/window_class.h"

namespace orvelin::win32 {
namespace {

constexpr UINT runTaskMessage = WM_APP;
constexpr wchar_t className[] = L"OrvelinTasks";

} // namespace

Win32WindowSystem::Win32WindowSystem() {
  [[maybe_unused]] static const ATOM registered = registerWindowClass(className, procedure);
  // A message-only window: never shown, never listed, it only takes messages.
  tasksWindow_ =
      CreateWindowExW(0, className, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(tasksWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32WindowSystem::~Win32WindowSystem() { DestroyWindow(tasksWindow_); }

std::unique_ptr<RenderedWindow> Win32WindowSystem::create(const WindowDesign &design, WindowEvents &events) {
  return std::make_unique<Win32Window>(design, events);
}

void Win32WindowSystem::runAfterHandler(std::function<void()> task) {
  tasks_.push_back(std::move(task));
  PostMessageW(tasksWindow_, runTaskMessage, 0, 0);
}

void Win32WindowSystem::endProgram() {
  ended_ = true;
  tasks_.clear();
  // Also ends any modal loop that is running, such as a message box's.
  PostQuitMessage(0);
}

int Win32WindowSystem::run() {
  MSG message{};
  while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

LRESULT CALLBACK Win32WindowSystem::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *self = reinterpret_cast<Win32WindowSystem *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == runTaskMessage && self != nullptr) {
    self->runNextTask();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Win32WindowSystem::runNextTask() {
  if (tasks_.empty()) {
    return;
  }
  const std::function<void()> task = std::move(tasks_.front());
  tasks_.pop_front();
  task();
}

} // namespace orvelin::win32
