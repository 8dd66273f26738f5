#include "system_colours.h"

namespace orvelin {
namespace {

Rgb rgbOf(const QColor &colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

} // namespace

// This Qt has no word for a system's request for high contrast; a dark palette tells it instead.
Contrast contrastOf(const QPalette &palette) {
  return contrastOf(false, rgbOf(palette.color(QPalette::ButtonText)), rgbOf(palette.color(QPalette::Button)));
}

QColor colourOf(const QPalette &palette, Colour colour) {
  switch (colour) {
  case Colour::Black:
    return Qt::black;
  case Colour::HighlightedText:
    return palette.color(QPalette::HighlightedText);
  case Colour::BoxText:
    return palette.color(QPalette::Text);
  case Colour::ButtonFace:
    return palette.color(QPalette::Button);
  case Colour::ButtonText:
    break;
  }
  return palette.color(QPalette::ButtonText);
}

} // namespace orvelin
