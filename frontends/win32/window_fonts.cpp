#include "frontends/win32/window_fonts.h"

#include "frontends/win32/utf16.h"

#include <cmath>

namespace orvelin::win32 {
namespace {

bool sameFont(const Font &a, const Font &b) {
  return a.family == b.family && a.points == b.points && a.weight == b.weight;
}

UniqueFont createFont(const Font &font, unsigned dpi) {
  const BYTE family = font.family == timesNewRoman(0).family ? FF_ROMAN : FF_SWISS;
  // A negative height asks for the characters' own height, which is what a point size measures.
  return UniqueFont(CreateFontW(-pixelHeight(font.points, dpi), 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                static_cast<BYTE>(VARIABLE_PITCH | family), utf16FromUtf8(font.family).c_str()));
}

} // namespace

int pixelHeight(double points, unsigned dpi) {
  // In hundredths of a point, so that 8.25 and 9.75 points are exact; MulDiv rounds halves up.
  return MulDiv(static_cast<int>(std::lround(points * 100)), static_cast<int>(dpi), 72 * 100);
}

HFONT WindowFonts::operator()(const Font &font) {
  for (const auto &[made, handle] : made_) {
    if (sameFont(made, font)) {
      return handle.get();
    }
  }
  return made_.emplace_back(font, createFont(font, dpi_)).second.get();
}

} // namespace orvelin::win32
