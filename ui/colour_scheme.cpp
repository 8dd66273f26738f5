#include "colour_scheme.h"

namespace orvelin {
namespace {

// Relative luminance, weighted as the eye sees the three primaries (sRGB's coefficients, without
// linearising: only which of two colours is lighter matters here).
double lightness(Rgb colour) { return 0.2126 * colour.red + 0.7152 * colour.green + 0.0722 * colour.blue; }

} // namespace

Contrast contrastOf(bool systemAsksForHighContrast, Rgb text, Rgb face) {
  return systemAsksForHighContrast || lightness(text) > lightness(face) ? Contrast::High : Contrast::Standard;
}

Colour windowColour(const WindowDesign &design, Contrast contrast) {
  return contrast == Contrast::High ? Colour::ButtonFace : design.background;
}

Colour textColour(const ControlDesign &control, Contrast contrast) {
  if (contrast == Contrast::Standard || control.colour != Colour::Black) {
    return control.colour;
  }
  return control.kind == ControlKind::TextBox ? Colour::BoxText : Colour::ButtonText;
}

std::optional<Rgb> fillOf(const ControlDesign &control, Contrast contrast) {
  // A box's text is the scheme's, so its fill must be too; a label's fill is the Product ID's mark.
  if (contrast == Contrast::High && control.kind == ControlKind::TextBox) {
    return std::nullopt;
  }
  return control.background;
}

Colour lineColour(Contrast contrast) { return contrast == Contrast::High ? Colour::ButtonText : Colour::Black; }

} // namespace orvelin
