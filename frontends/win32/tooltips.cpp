#include "frontends/win32/tooltips.h"

#include "frontends/win32/utf16.h"

#include <commctrl.h>

#include <string>

namespace orvelin::win32 {

HWND createTooltips(HWND window) {
  // Owned by the window, so that it stays above it and is destroyed with it.
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void addTooltip(HWND tooltips, HWND window, HWND control, std::string_view text) {
  std::wstring shown = utf16FromUtf8(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  // TTF_SUBCLASS: the tooltip sees the mouse moves over the control itself.
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = shown.data();
  SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace orvelin::win32
