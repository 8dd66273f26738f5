#pragma once
// Where a control's window goes, and in which font, at a window's DPI.

#include "base/windows_api.h"
#include "frontends/win32/window_fonts.h"
#include "ui/window_design.h"

namespace orvelin::win32 {

// Places the control's window on its box at the DPI fonts are for and gives it its font from
// fonts: the design's, or for a label whose text does not fit its box in it, the largest smaller
// size that does. A label sized to its text takes its text's size.
void layOutControl(HWND control, const ControlDesign &design, WindowFonts &fonts, unsigned dpi);

} // namespace orvelin::win32
