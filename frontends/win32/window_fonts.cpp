#include "frontends/win32/window_fonts.h"

#include "frontends/win32/utf16.h"

#include <cmath>

namespace orvelin::win32 {
namespace {

UniqueFont createFont(const Font &font, int pixels) {
  const BYTE family = font.family == timesNewRoman(0).family ? FF_ROMAN : FF_SWISS;
  // A negative height asks for the characters' own height, which is what a point size measures.
  return UniqueFont(CreateFontW(-pixels, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, static_cast<BYTE>(VARIABLE_PITCH | family),
                                utf16FromUtf8(font.family).c_str()));
}

} // namespace

int pixelHeight(double points, unsigned dpi) {
  // In hundredths of a point, so that 8.25 and 9.75 points are exact; MulDiv rounds halves up.
  return MulDiv(static_cast<int>(std::lround(points * 100)), static_cast<int>(dpi), 72 * 100);
}

HFONT WindowFonts::operator()(const Font &font, int pixels) {
  for (const Made &each : made_) {
    if (each.font.family == font.family && each.font.weight == font.weight && each.pixels == pixels) {
      return each.handle.get();
    }
  }
  return made_.emplace_back(Made{font, pixels, createFont(font, pixels)}).handle.get();
}

} // namespace orvelin::win32
