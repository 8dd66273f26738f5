#include "frontends/win32/win32_event_pump.h"

#include "frontends/win32/control_windows.h"
#include "frontends/win32/win32_window.h"

#include <shellapi.h>

namespace orvelin::win32 {
namespace {

bool isUserInput(UINT message) {
  const bool mouseButton = (message >= WM_LBUTTONDOWN && message <= WM_MOUSELAST) ||
                           (message >= WM_NCLBUTTONDOWN && message <= WM_NCXBUTTONDBLCLK);
  const bool key = message >= WM_KEYFIRST && message <= WM_KEYLAST;
  // A press through assistive technology and files dropped from a file manager as well.
  return mouseButton || key || message == pressMessage || message == WM_DROPFILES;
}

bool isFor(HWND window, HWND target) { return target == window || IsChild(window, target) != FALSE; }

} // namespace

Win32EventPump::Win32EventPump(WindowView &window) : window_(dynamic_cast<Win32Window &>(window).handle()) {}

void Win32EventPump::pumpFor(std::chrono::milliseconds period) {
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(period.count());
  for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(until - now), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      if (message.message == WM_QUIT) {
        // The loop that runs the program ends on it, once the job has returned.
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      if (isUserInput(message.message) && isFor(window_, message.hwnd)) {
        if (message.message == WM_DROPFILES) {
          DragFinish(reinterpret_cast<HDROP>(message.wParam));
        }
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

} // namespace orvelin::win32
