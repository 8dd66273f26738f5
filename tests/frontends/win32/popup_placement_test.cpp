#include "frontends/win32/popup_placement.h"

#include "test_windows.h"
#include "ui/twips.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

// For the comparisons below; RECT lives in the global namespace, where the test macros look.
static bool operator==(const RECT &a, const RECT &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
static std::ostream &operator<<(std::ostream &out, const RECT &r) {
  return out << '(' << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ')';
}

namespace orvelin::win32 {
namespace {

struct Placement {
  const char *name;
  RECT workArea;
  int dpi;
  RECT expected;
};
void PrintTo(const Placement &placement, std::ostream *out) { *out << placement.name; }

class CentredPopupRect : public testing::TestWithParam<Placement> {};

// The main window, 6645 x 3930 twips, at the placement's DPI.
TEST_P(CentredPopupRect, CentresTheMainWindow) {
  const SIZE client{pixelsFromTwips(6645, GetParam().dpi), pixelsFromTwips(3930, GetParam().dpi)};
  EXPECT_EQ(centredPopupRect(GetParam().workArea, client), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(WorkAreas, CentredPopupRect,
                         testing::Values(
                             // 1024 x 768 with a 30-pixel taskbar at the bottom: 443 x 262 pixels.
                             Placement{"At96Dpi", {0, 0, 1024, 738}, 96, {290, 238, 733, 500}},
                             // 1920 x 1080 at 150 %, taskbar on the left: 665 x 393 pixels.
                             Placement{"At144Dpi", {62, 0, 1920, 1080}, 144, {658, 343, 1323, 736}},
                             // A second monitor left of and above the main one.
                             Placement{"LeftOfTheMainMonitor", {-1280, -200, 0, 824}, 96, {-862, 181, -419, 443}},
                             // Smaller than the window: the top left corner, with the exit control, stays on it.
                             Placement{"SmallerThanTheWindow", {100, 50, 600, 350}, 144, {100, 50, 765, 443}}),
                         [](const testing::TestParamInfo<Placement> &test) { return test.param.name; });

TEST(CentredPopupRectOnMonitor, ARealPopupWindowThereHasTheClientSizeCentredOnTheWorkArea) {
  const SIZE client{443, 262};
  HMONITOR monitor = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  const RECT outer = centredPopupRectOnMonitor(monitor, client);
  const UniqueWindow window = showPopupWindow(outer, Activation::Activated);
  ASSERT_NE(window, nullptr) << noWindowHint;

  RECT inner{};
  GetClientRect(window.get(), &inner);
  EXPECT_EQ(inner, (RECT{0, 0, client.cx, client.cy}));
  RECT placed{};
  GetWindowRect(window.get(), &placed);
  EXPECT_EQ(placed, outer);

  MONITORINFO info{};
  info.cbSize = sizeof info;
  ASSERT_NE(GetMonitorInfoW(monitor, &info), FALSE);
  EXPECT_LE(std::abs((placed.left - info.rcWork.left) - (info.rcWork.right - placed.right)), 1);
  EXPECT_LE(std::abs((placed.top - info.rcWork.top) - (info.rcWork.bottom - placed.bottom)), 1);
}

} // namespace
} // namespace orvelin::win32
