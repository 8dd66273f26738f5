#pragma once

#include "base/windows_api.h"
#include "ui/colour_scheme.h"
#include "ui/window_design.h"

namespace orvelin::win32 {

// A design's colour in the system's current scheme.
COLORREF colourOf(Colour colour);

// Whether the windows are painted in the scheme's colours alone: the system asks for high contrast,
// or its scheme is dark. Read at each paint, so that a change of scheme shows at the next one.
Contrast currentContrast();

inline COLORREF colourOf(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

} // namespace orvelin::win32
