// When the windows leave the designs' fixed colours for the scheme's.

#include "ui/colour_scheme.h"

#include <gtest/gtest.h>

namespace orvelin {
namespace {

constexpr Rgb black{0, 0, 0};
constexpr Rgb white{255, 255, 255};

struct Scheme {
  const char *name;
  bool askedFor;
  Rgb text;
  Rgb face;
  Contrast expected;
};

constexpr Scheme schemes[] = {
    {"standard: black on grey", false, black, {240, 240, 240}, Contrast::Standard},
    {"high contrast, light", true, black, white, Contrast::High},
    {"high contrast, dark", true, white, black, Contrast::High},
    // Not asked for, but dark: fixed black would vanish into the faces.
    {"dark", false, {220, 220, 220}, {50, 50, 50}, Contrast::High},
    {"yellow on black", false, {255, 255, 0}, black, Contrast::High},
    // Green weighs most in lightness, blue least: judged as the eye sees them, not by their sum.
    {"dark blue text on green faces", false, {0, 0, 255}, {0, 160, 0}, Contrast::Standard},
    {"green text on dark blue faces", false, {0, 160, 0}, {0, 0, 255}, Contrast::High},
};

TEST(ColourScheme, HighContrastWhenAskedForOrWhenTheTextIsLighterThanTheFaces) {
  for (const Scheme &scheme : schemes) {
    EXPECT_EQ(contrastOf(scheme.askedFor, scheme.text, scheme.face), scheme.expected) << scheme.name;
  }
}

} // namespace
} // namespace orvelin
