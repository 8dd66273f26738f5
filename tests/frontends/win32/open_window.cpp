#include "open_window.h"

#include "frontends/win32/label_measure.h"
#include "frontends/win32/window_dpi.h"

#include <thread>

namespace orvelin::win32 {
namespace {

std::wstring wide(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

} // namespace

void pumpMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool pumpUntil(const std::function<bool()> &condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    pumpMessages();
    if (condition()) {
      return true;
    }
    if (std::chrono::steady_clock::now() > end) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void showAndPaint(OpenWindow &opened) {
  opened.window.show();
  pumpUntil([&] { return GetActiveWindow() == opened.handle(); });
  RedrawWindow(opened.handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  pumpMessages();
}

RECT placeOf(HWND control) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&place), 2);
  return place;
}

COLORREF pixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

int dpiOf(HWND window) { return static_cast<int>(windowDpi(window)); }

std::vector<std::string> misfits(const OpenWindow &opened, const WindowDesign &design) {
  std::vector<std::string> found;
  for (const ControlDesign &control : design.controls) {
    if (control.kind == ControlKind::TextBox || control.text.empty()) {
      continue;
    }
    HWND label = opened.control(control.name);
    RECT box{};
    GetClientRect(label, &box);
    HDC dc = GetDC(label);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    const SIZE needed = labelTextSize(dc, control, wide(control.text), box.right);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    if (needed.cx > box.right || needed.cy > box.bottom) {
      found.push_back(std::string(design.name) + " " + std::string(control.name) + " \"" + std::string(control.text) +
                      "\": text " + std::to_string(needed.cx) + "x" + std::to_string(needed.cy) + ", box " +
                      std::to_string(box.right) + "x" + std::to_string(box.bottom));
    }
  }
  return found;
}

} // namespace orvelin::win32
