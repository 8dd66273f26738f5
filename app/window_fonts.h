#pragma once
// The windows name the fonts of the system they were designed on. Where those are missing, the
// metric-compatible Liberation fonts take their place, so that texts fit their boxes.

#include <QFont>
#include <QString>

namespace orvelin {

// Once per program, before the first window is made.
void registerFontSubstitutes();

// A font as the window designs name it: family, size in points, weight; never italic.
QFont windowFont(const QString &family, qreal pointSize, QFont::Weight weight = QFont::Normal);

} // namespace orvelin
