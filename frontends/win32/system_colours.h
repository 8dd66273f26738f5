#pragma once

#include "base/windows_api.h"
#include "ui/window_design.h"

namespace orvelin::win32 {

// A design's colour in the system's current scheme.
COLORREF colourOf(Colour colour);

inline COLORREF colourOf(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

} // namespace orvelin::win32
