#pragma once
// The colours a window is painted in under the system's scheme. The designs fix black for most
// texts, the outlines and the lines, and white for the name box, and paint the window in the
// scheme's highlighted-text colour (white in the standard scheme): legible in a light scheme only.
// Where the system asks for high contrast, or its scheme is dark, every one of them comes from the
// scheme instead, in the pair the scheme keeps legible: its text on its control faces. Only the
// Product ID's green and the pictures stay as they are.

#include "window_design.h"

#include <optional>

namespace orvelin {

enum class Contrast { Standard, High };

// High when the system asks for high contrast, or when its scheme puts lighter text on darker faces
// (a dark scheme, where fixed black would vanish); both front ends decide alike.
[[nodiscard]] Contrast contrastOf(bool systemAsksForHighContrast, Rgb text, Rgb face);

// What the window's background, a control's text and fill, and the outlines and lines are painted in.
[[nodiscard]] Colour windowColour(const WindowDesign &design, Contrast contrast);
[[nodiscard]] Colour textColour(const ControlDesign &control, Contrast contrast);
// Nothing where the control takes the system's own colour (a label's transparency, a box's colour).
[[nodiscard]] std::optional<Rgb> fillOf(const ControlDesign &control, Contrast contrast);
[[nodiscard]] Colour lineColour(Contrast contrast);

} // namespace orvelin
