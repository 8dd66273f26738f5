// Twips to pixels at the dots per inch a front end draws at.

#include "ui/twips.h"

#include <gtest/gtest.h>

namespace orvelin {
namespace {

TEST(Twips, AreTheNearestPixelAtAnyDotsPerInch) {
  struct Case {
    int twips;
    int dpi;
    int pixels;
  };
  const Case cases[] = {
      {6645, 96, 443},  {3930, 96, 262},  {7, 96, 0},     {8, 96, 1},       {22, 96, 1},      {23, 96, 2},
      {6645, 144, 665}, {3930, 144, 393}, {135, 144, 14}, {6645, 120, 554}, {3930, 120, 328}, {6645, 192, 886},
  };
  for (const Case &each : cases) {
    EXPECT_EQ(pixelsFromTwips(each.twips, each.dpi), each.pixels) << each.twips << " twips at " << each.dpi;
  }
  EXPECT_EQ(pixelsFromTwips(Box{240, 290, 2895, 255}), (Box{16, 19, 193, 17}));
  EXPECT_EQ(pixelsFromTwips(Box{240, 290, 2895, 255}, 144), (Box{24, 29, 290, 26}));
}

} // namespace
} // namespace orvelin
