#include "system_colours.h"

namespace orvelin {

QColor colourOf(const QPalette &palette, Colour colour) {
  switch (colour) {
  case Colour::Black:
    return Qt::black;
  case Colour::HighlightedText:
    return palette.color(QPalette::HighlightedText);
  case Colour::BoxText:
    return palette.color(QPalette::Text);
  case Colour::ButtonText:
    break;
  }
  return palette.color(QPalette::ButtonText);
}

} // namespace orvelin
