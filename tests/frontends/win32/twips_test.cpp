#include "frontends/win32/twips.h"

#include <gtest/gtest.h>

#include <ostream>

namespace orvelin::win32 {
namespace {

TEST(PixelsFromTwips, At96DpiAsTheLinuxBuild) {
  for (int twips = 0; twips <= 20000; ++twips) {
    ASSERT_EQ(pixelsFromTwips(twips, 96), (twips + 7) / 15) << twips << " twips";
  }
}

struct Measure {
  int twips;
  unsigned dpi;
  int pixels;
};
void PrintTo(const Measure &measure, std::ostream *out) {
  *out << measure.twips << " twips at " << measure.dpi << " DPI";
}

class PixelsFromTwipsAboveNinetySix : public testing::TestWithParam<Measure> {};

TEST_P(PixelsFromTwipsAboveNinetySix, RoundsToTheNearestPixelHalvesUp) {
  EXPECT_EQ(pixelsFromTwips(GetParam().twips, GetParam().dpi), GetParam().pixels);
}

// The main window's client area, 6645 x 3930 twips, at 150 % (664.5 x 393 pixels) and 125 %
// (553.75 x 327.5).
INSTANTIATE_TEST_SUITE_P(MainWindow, PixelsFromTwipsAboveNinetySix,
                         testing::Values(Measure{6645, 144, 665}, Measure{3930, 144, 393}, Measure{6645, 120, 554},
                                         Measure{3930, 120, 328}));

} // namespace
} // namespace orvelin::win32
