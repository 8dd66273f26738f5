#include "test_windows.h"

namespace orvelin::win32 {

UniqueWindow showPopupWindow(const RECT &outer, Activation activation) {
  const DWORD extraStyle = activation == Activation::Activated ? WS_EX_APPWINDOW : WS_EX_NOACTIVATE;
  // A static control is a window class every process has, and it draws nothing that matters here.
  HWND window = CreateWindowExW(extraStyle, L"STATIC", L"Orvelin test window", WS_POPUP, outer.left, outer.top,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window != nullptr) {
    ShowWindow(window, activation == Activation::Activated ? SW_SHOW : SW_SHOWNOACTIVATE);
  }
  return UniqueWindow(window);
}

UniqueWindow showPopupWindow(Activation activation) { return showPopupWindow({40, 40, 240, 140}, activation); }

} // namespace orvelin::win32
