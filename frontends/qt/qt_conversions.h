#pragma once
// A design's texts and measures in Qt's types. Qt lays windows out in pixels of 96 dots per inch and
// scales them itself on denser screens.

#include "ui/twips.h"

#include <QLine>
#include <QRect>
#include <QString>

#include <string_view>

namespace orvelin {

inline QString qtString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString qtString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline QSize qtSize(Size twips) {
  const Size pixels = pixelsFromTwips(twips);
  return {pixels.width, pixels.height};
}

inline QRect qtRect(Box twips) {
  const Box pixels = pixelsFromTwips(twips);
  return {pixels.left, pixels.top, pixels.width, pixels.height};
}

inline QLine qtLine(Point from, Point to) {
  const Point start = pixelsFromTwips(from);
  const Point end = pixelsFromTwips(to);
  return {start.x, start.y, end.x, end.y};
}

} // namespace orvelin
