#pragma once
// How much room a label's text takes in the font selected into a device context.

#include "base/windows_api.h"
#include "ui/window_design.h"

#include <string_view>

namespace orvelin::win32 {

// The size of text on one line, glyphs that reach past their advance included.
SIZE textExtent(HDC dc, std::wstring_view text);

// The room the label's text takes as it is drawn in a box width pixels wide: its width, and the
// height from its first line's top down to the lowest pixel its glyphs reach. The font's descent
// below the last line counts only as deep as the text's glyphs go into it: a box the design made a
// pixel shorter than its font's line, for a word without descenders ("Gratitude"), shows it whole.
// Lines break at word boundaries only, so a word wider than the box widens the text.
SIZE labelTextSize(HDC dc, const ControlDesign &label, std::wstring_view text, int width);

} // namespace orvelin::win32
