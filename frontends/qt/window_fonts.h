#pragma once
// The window designs name the fonts "MS Sans Serif" and "Times New Roman". Where those are missing,
// substitutes from fonts-liberation take their place, chosen so that every text fits its box:
// - "Liberation Serif" has the very metrics of "Times New Roman";
// - "MS Sans Serif" has no metric twin, and the designs' boxes, drawn around its texts, show it
//   narrower than Arial at the same height: in "Liberation Sans" (Arial's metrics) at 8.25 points,
//   "Communication" needs 76.3 pixels of its 73-pixel box. "Liberation Sans Narrow" has the same cap
//   and x heights with letters about a fifth narrower (62.6 pixels there), so every text keeps its
//   height and fits.

#include "ui/window_design.h"

#include <QFont>

namespace orvelin {

// Once per program, before the first window is made.
void registerFontSubstitutes();

// A design's font, by the family the design names.
QFont qtFont(const Font &font);

} // namespace orvelin
