// Every text of every window shows whole in its label's box, in the fonts the system gives the
// designs' font names at the window's DPI: at the design's size, or where that cannot fit (a bitmap
// font's sizes do not follow the DPI), at the largest that does.

#include "open_window.h"
#include "windows/Help_design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace orvelin::win32 {
namespace {

// The labels of window whose text needs a smaller size than the design's at dpi, in Wine's fonts.
// At 144 DPI, Wine's bitmap "MS Sans Serif" has lines of 20 pixels for 8.25 points, so Help's five
// lines of instructions need 100 pixels of their box's 98; at 96 and 192 DPI every text fits at its
// designed size.
std::vector<std::string_view> smallerThanDesigned(Window window, int dpi) {
  if (window == Window::Help && dpi == 144) {
    return {HelpControls::instructions};
  }
  return {};
}

// The height in pixels of the characters of the label's font.
int fontPixels(HWND label) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font, &font);
  return std::abs(font.lfHeight);
}

class Win32TextsFit : public testing::TestWithParam<Window> {};

TEST_P(Win32TextsFit, EveryLabelsTextFitsItsBoxAtTheDesignsSizeWherePossible) {
  const WindowDesign &design = designOf(GetParam());
  OpenWindow opened(design);
  const int dpi = dpiOf(opened.handle());
  EXPECT_EQ(misfits(opened, design), std::vector<std::string>()) << "at " << dpi << " DPI";

  for (const ControlDesign &control : design.controls) {
    if (control.kind == ControlKind::TextBox || control.text.empty()) {
      continue;
    }
    SCOPED_TRACE(std::string(control.name) + " at " + std::to_string(dpi) + " DPI");
    // Half a pixel rounds up: 8.25 points are 16.5 pixels at 144 DPI, so 17.
    const auto designed = static_cast<int>(std::floor(control.font.points * dpi / 72 + 0.5));
    const std::vector<std::string_view> smaller = smallerThanDesigned(GetParam(), dpi);
    if (std::find(smaller.begin(), smaller.end(), control.name) != smaller.end()) {
      EXPECT_LT(fontPixels(opened.control(control.name)), designed);
    } else {
      EXPECT_EQ(fontPixels(opened.control(control.name)), designed);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, Win32TextsFit, testing::ValuesIn(allWindows), windowTestName);

} // namespace
} // namespace orvelin::win32
