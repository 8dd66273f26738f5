#pragma once
// The window designs name the fonts "MS Sans Serif" and "Times New Roman". Where those are missing,
// substitutes take their place, chosen so that every text fits its box.

#include <QFont>

namespace orvelin {

// Once per program, before the first window is made.
void registerFontSubstitutes();

// The two families the window designs use, at a size in points and a weight; never italic.
QFont msSansSerif(qreal pointSize, QFont::Weight weight = QFont::Normal);
QFont timesNewRoman(qreal pointSize, QFont::Weight weight = QFont::Normal);

} // namespace orvelin
