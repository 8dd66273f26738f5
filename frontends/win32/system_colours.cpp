#include "frontends/win32/system_colours.h"

namespace orvelin::win32 {

COLORREF colourOf(Colour colour) {
  switch (colour) {
  case Colour::Black:
    return RGB(0, 0, 0);
  case Colour::HighlightedText:
    return GetSysColor(COLOR_HIGHLIGHTTEXT);
  case Colour::BoxText:
    return GetSysColor(COLOR_WINDOWTEXT);
  case Colour::ButtonText:
    break;
  }
  return GetSysColor(COLOR_BTNTEXT);
}

} // namespace orvelin::win32
