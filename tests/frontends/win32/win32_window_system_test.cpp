// The program's windows switched by the Win32 front end inside the thread's message loop: work
// after a handler runs once it has returned, in order; the program ends at once when asked, and
// when no window is left.

#include "base/windows_api.h"
#include "frontends/win32/win32_message_boxes.h"
#include "frontends/win32/win32_window_system.h"
#include "ui/window_switcher.h"
#include "windows/program_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvelin::win32 {
namespace {

// Ends a run that the test's own steps failed to end, and says so.
class Fallback {
public:
  explicit Fallback(Win32WindowSystem &system) : system_(system) {
    current = this;
    timer_ = SetTimer(nullptr, 0, 10000, fire);
  }
  Fallback(const Fallback &) = delete;
  Fallback &operator=(const Fallback &) = delete;
  ~Fallback() {
    KillTimer(nullptr, timer_);
    current = nullptr;
    // The quit message the end of a run leaves would end the next test's message loops.
    MSG quit{};
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }

  bool fired = false;

private:
  static void CALLBACK fire(HWND, UINT, UINT_PTR, DWORD) {
    current->fired = true;
    current->system_.endProgram();
  }

  static inline Fallback *current = nullptr;
  Win32WindowSystem &system_;
  UINT_PTR timer_ = 0;
};

// The program's windows on the screen.
int visibleWindows() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM counted) {
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        if (std::wstring_view(name) == L"OrvelinWindow" && IsWindowVisible(window) != FALSE) {
          ++*reinterpret_cast<int *>(counted);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(Win32WindowSystem, RunsWorkAfterTheHandlerInOrderAndEndsAtOnceWhenAsked) {
  Win32WindowSystem system;
  std::vector<std::string> ran;
  system.runAfterHandler([&] {
    ran.emplace_back("first");
    system.runAfterHandler([&] { ran.emplace_back("after the end"); });
    system.endProgram();
  });
  system.runAfterHandler([&] { ran.emplace_back("second, already waiting"); });
  EXPECT_EQ(ran, std::vector<std::string>()) << "ran before the loop took it";

  const Fallback fallback(system);
  EXPECT_EQ(system.run(), 0);
  EXPECT_FALSE(fallback.fired);
  EXPECT_EQ(ran, std::vector<std::string>{"first"});
}

TEST(Win32WindowSystem, ClosingTheOnlyWindowEndsTheProgram) {
  Win32WindowSystem system;
  Win32MessageBoxes boxes;
  const ProgramWindows windows({.messages = boxes});
  WindowSwitcher switcher(system, windows);
  switcher.start();
  HWND splash = FindWindowW(L"OrvelinWindow", L"Orvelin File Encryption");
  ASSERT_NE(splash, nullptr);
  PostMessageW(splash, WM_CLOSE, 0, 0);

  const Fallback fallback(system);
  EXPECT_EQ(system.run(), 0);
  EXPECT_FALSE(fallback.fired) << "the program went on without a window";
  EXPECT_EQ(IsWindow(splash), FALSE);
  EXPECT_EQ(visibleWindows(), 0);
}

} // namespace
} // namespace orvelin::win32
