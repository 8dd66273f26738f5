#pragma once
// How the window draws its labels: each text from the top of its box, left or centred, wrapped at
// word boundaries where the design says so, in its colour, on a fill of its own or on whatever lies
// beneath (the window's background, its picture).

#include "base/windows_api.h"
#include "ui/window_design.h"

#include <string_view>

namespace orvelin::win32 {

// DrawTextW's format for the label's text; with DT_CALCRECT it measures the text as it is drawn.
UINT labelTextFormat(const ControlDesign &label);

// Draws the label's text in the font selected into dc, within box.
void drawLabel(HDC dc, const RECT &box, const ControlDesign &label, std::wstring_view text);

} // namespace orvelin::win32
