#pragma once
// Window layouts are measured in twips, 1/1440 inch: 15 of them make one pixel at 96 dots per
// inch. Qt scales those pixels on denser screens.

#include <QLine>
#include <QRect>
#include <QSize>

namespace orvelin {

// The nearest pixel; layouts have no negative measures, and a half pixel cannot occur.
constexpr int pixelsFromTwips(int twips) { return (twips + 7) / 15; }

constexpr QSize sizeFromTwips(int width, int height) { return {pixelsFromTwips(width), pixelsFromTwips(height)}; }

// A box given as left, top, width and height.
constexpr QRect boxFromTwips(int left, int top, int width, int height) {
  return {pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width), pixelsFromTwips(height)};
}

constexpr QLine lineFromTwips(int x1, int y1, int x2, int y2) {
  return {pixelsFromTwips(x1), pixelsFromTwips(y1), pixelsFromTwips(x2), pixelsFromTwips(y2)};
}

} // namespace orvelin
