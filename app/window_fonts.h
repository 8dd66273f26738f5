#pragma once
// The windows name the fonts of the system they were designed on. Where those are missing, the
// metric-compatible Liberation fonts take their place, so that texts fit their boxes.

#include <QFont>

namespace orvelin {

// Once per program, before the first window is made.
void registerFontSubstitutes();

// The two families the window designs use, at a size in points and a weight; never italic.
QFont msSansSerif(qreal pointSize, QFont::Weight weight = QFont::Normal);
QFont timesNewRoman(qreal pointSize, QFont::Weight weight = QFont::Normal);

} // namespace orvelin
