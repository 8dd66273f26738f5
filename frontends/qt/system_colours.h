#pragma once

#include "ui/colour_scheme.h"
#include "ui/window_design.h"

#include <QColor>
#include <QPalette>

namespace orvelin {

// A design's colour in the system's scheme, as palette has it.
QColor colourOf(const QPalette &palette, Colour colour);

// Whether the windows are painted in the scheme's colours alone.
Contrast contrastOf(const QPalette &palette);

inline QColor colourOf(Rgb colour) { return {colour.red, colour.green, colour.blue}; }

} // namespace orvelin
