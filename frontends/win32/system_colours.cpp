#include "frontends/win32/system_colours.h"

namespace orvelin::win32 {
namespace {

Rgb rgbOf(COLORREF colour) { return {GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }

bool highContrastAskedFor() {
  HIGHCONTRASTW setting{};
  setting.cbSize = sizeof setting;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) != FALSE &&
         (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace

Contrast currentContrast() {
  return contrastOf(highContrastAskedFor(), rgbOf(GetSysColor(COLOR_BTNTEXT)), rgbOf(GetSysColor(COLOR_BTNFACE)));
}

COLORREF colourOf(Colour colour) {
  switch (colour) {
  case Colour::Black:
    return RGB(0, 0, 0);
  case Colour::HighlightedText:
    return GetSysColor(COLOR_HIGHLIGHTTEXT);
  case Colour::BoxText:
    return GetSysColor(COLOR_WINDOWTEXT);
  case Colour::ButtonFace:
    return GetSysColor(COLOR_BTNFACE);
  case Colour::ButtonText:
    break;
  }
  return GetSysColor(COLOR_BTNTEXT);
}

} // namespace orvelin::win32
