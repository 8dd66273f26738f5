// Every text of every window shows whole in its label's box, in the fonts the system gives the
// designs' font names at the window's DPI: at the design's size, or where that cannot fit (a bitmap
// font's sizes do not follow the DPI), at the largest that does.

#include "open_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace orvelin::win32 {
namespace {

struct FitCase {
  Window window;
  // The labels whose text needs a smaller size than the design's above 96 DPI, in Wine's fonts.
  std::vector<std::string_view> smallerAbove96;
};
void PrintTo(const FitCase &fit, std::ostream *out) { *out << designOf(fit.window).name; }

// The height in pixels of the characters of the label's font.
int fontPixels(HWND label) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font, &font);
  return std::abs(font.lfHeight);
}

class Win32TextsFit : public testing::TestWithParam<FitCase> {};

TEST_P(Win32TextsFit, EveryLabelsTextFitsItsBoxAtTheDesignsSizeWherePossible) {
  const WindowDesign &design = designOf(GetParam().window);
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
    const auto &smaller = GetParam().smallerAbove96;
    if (dpi != 96 && std::find(smaller.begin(), smaller.end(), control.name) != smaller.end()) {
      EXPECT_LT(fontPixels(opened.control(control.name)), designed);
    } else {
      EXPECT_EQ(fontPixels(opened.control(control.name)), designed);
    }
  }
}

// At 144 DPI, Wine's bitmap "MS Sans Serif" has lines of 20 pixels for 8.25 points, so Help's five
// lines of instructions need 100 pixels of their box's 98.
INSTANTIATE_TEST_SUITE_P(Windows, Win32TextsFit,
                         testing::Values(FitCase{Window::Startup, {}}, FitCase{Window::frmMain, {}},
                                         FitCase{Window::Help, {"Label3"}}, FitCase{Window::About, {}},
                                         FitCase{Window::softinf, {}}),
                         [](const testing::TestParamInfo<FitCase> &test) {
                           return std::string(designOf(test.param.window).name);
                         });

} // namespace
} // namespace orvelin::win32
