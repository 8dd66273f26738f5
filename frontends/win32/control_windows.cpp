#include "frontends/win32/control_windows.h"

#include "frontends/win32/utf16.h"

#include <commctrl.h>
#include <windowsx.h>

namespace orvelin::win32 {
namespace {

const ControlEvents &eventsOf(DWORD_PTR data) { return *reinterpret_cast<const ControlEvents *>(data); }

// A press captures the mouse, so that the release is seen wherever it happens; releasing outside is
// how the user takes a press back. The static control's own click notice is never sent.
LRESULT CALLBACK clickableProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR data) {
  switch (message) {
  case WM_NCDESTROY:
    RemoveWindowSubclass(control, clickableProcedure, id);
    return DefSubclassProc(control, message, wParam, lParam);
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    SetCapture(control);
    return 0;
  case WM_LBUTTONUP: {
    const bool pressedHere = GetCapture() == control;
    ReleaseCapture();
    RECT inside{};
    GetClientRect(control, &inside);
    if (pressedHere && PtInRect(&inside, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE) {
      eventsOf(data).clicked(control);
    }
    return 0;
  }
  case pressMessage:
    eventsOf(data).clicked(control);
    return 0;
  default:
    return DefSubclassProc(control, message, wParam, lParam);
  }
}

// Tab moves on through the window's text boxes. Enter and Escape do nothing: the window has no
// default or cancel button. Their characters, and Tab's, would only make an edit control beep.
LRESULT CALLBACK textBoxProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                  DWORD_PTR data) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, textBoxProcedure, id);
  }
  if (message == WM_KEYDOWN && wParam == VK_TAB) {
    eventsOf(data).tabbed(control, GetKeyState(VK_SHIFT) < 0);
    return 0;
  }
  if (message == WM_CHAR && (wParam == L'\t' || wParam == L'\r' || wParam == VK_ESCAPE)) {
    return 0;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

HWND createChild(HWND window, const wchar_t *className, const std::wstring &text, DWORD style, DWORD extendedStyle,
                 int identifier) {
  return CreateWindowExW(extendedStyle, className, text.c_str(), WS_CHILD | style, 0, 0, 0, 0, window,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)), GetModuleHandleW(nullptr), nullptr);
}

} // namespace

HWND createControlWindow(HWND window, const ControlDesign &control, int identifier, const ControlEvents &events) {
  const DWORD visible = control.visible ? WS_VISIBLE : 0;
  if (control.kind == ControlKind::TextBox) {
    // ES_AUTOHSCROLL: a path longer than the box scrolls instead of stopping the typing. The
    // password is shown as typed.
    HWND box = createChild(window, WC_EDITW, utf16FromUtf8(control.text), visible | WS_TABSTOP | ES_AUTOHSCROLL,
                           WS_EX_CLIENTEDGE, identifier);
    SetWindowSubclass(box, textBoxProcedure, 0, reinterpret_cast<DWORD_PTR>(&events));
    return box;
  }
  if (control.kind == ControlKind::ProgressBar) {
    HWND bar = createChild(window, PROGRESS_CLASSW, L"", visible, 0, identifier);
    SendMessageW(bar, PBM_SETRANGE32, 0, progressSteps);
    return bar;
  }
  // Without SS_NOTIFY a static control lets the mouse through to the window beneath.
  const bool clickable = control.kind != ControlKind::Label;
  HWND label = createChild(window, WC_STATICW, utf16FromUtf8(control.text),
                           visible | SS_OWNERDRAW | (clickable ? SS_NOTIFY : 0), 0, identifier);
  if (clickable) {
    SetWindowSubclass(label, clickableProcedure, 0, reinterpret_cast<DWORD_PTR>(&events));
  }
  return label;
}

std::wstring controlText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

} // namespace orvelin::win32
