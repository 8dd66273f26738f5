#pragma once
// A window made by the Win32 front end from a design, with what it reports recorded instead of
// handled, and what the tests need to look at it on the screen.

#include "base/windows_api.h"
#include "frontends/win32/win32_window.h"
#include "ui/window_list.h"
#include "windows/program_windows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace orvelin::win32 {

// A test's name for the window it is run on: the design's.
inline std::string windowTestName(const testing::TestParamInfo<Window> &test) {
  return std::string(designOf(test.param).name);
}

class RecordedEvents final : public WindowEvents {
public:
  void clicked(std::string_view control) override { list.push_back("click " + std::string(control)); }
  void ticked(std::string_view timer) override { list.push_back("tick " + std::string(timer)); }
  void filesDropped(const std::vector<std::u16string> &files) override { dropped.push_back(files); }
  void closed() override { list.emplace_back("closed"); }

  std::vector<std::string> list;
  std::vector<std::vector<std::u16string>> dropped;
};

struct OpenWindow {
  explicit OpenWindow(const WindowDesign &design) : window(design, events) {}

  [[nodiscard]] HWND handle() const { return window.handle(); }
  [[nodiscard]] HWND control(std::string_view name) const { return window.controlHandle(name); }

  RecordedEvents events;
  Win32Window window;
};

// Dispatches every message waiting for this thread.
void pumpMessages();

// Dispatches this thread's messages until condition holds, for at most limit; whether it held.
bool pumpUntil(const std::function<bool()> &condition, std::chrono::milliseconds limit = std::chrono::seconds(10));

// Shows the window and waits until it is active and painted.
void showAndPaint(OpenWindow &opened);

// The control's rectangle in its window's client area.
RECT placeOf(HWND control);

// The colour of a pixel of the window's client area as it is on the screen.
COLORREF pixelAt(HWND window, int x, int y);

// The window's DPI as the front end lays it out.
int dpiOf(HWND window);

// Where the labels of window draw texts that do not fit their boxes, in the fonts they have: one
// line for each, empty when all fit.
std::vector<std::string> misfits(const OpenWindow &opened, const WindowDesign &design);

} // namespace orvelin::win32
