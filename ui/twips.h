#pragma once
// Window layouts are measured in twips, 1/1440 inch: 15 of them make one pixel at 96 dots per inch,
// 10 at 144. A front end converts them at the dots per inch of the screen it draws on.

namespace orvelin {

inline constexpr int standardDpi = 96;

// Measures in whichever unit the name of the value holding them says.
struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point &) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size &) const = default;
};

// A box given as left, top, width and height within a window's client area.
struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Box &) const = default;
};

// The nearest pixel; a half pixel, which 96 dots per inch never gives, goes up. Layouts have no
// negative measures.
constexpr int pixelsFromTwips(int twips, int dpi = standardDpi) { return (twips * dpi + 720) / 1440; }

constexpr Point pixelsFromTwips(Point twips, int dpi = standardDpi) {
  return {pixelsFromTwips(twips.x, dpi), pixelsFromTwips(twips.y, dpi)};
}

constexpr Size pixelsFromTwips(Size twips, int dpi = standardDpi) {
  return {pixelsFromTwips(twips.width, dpi), pixelsFromTwips(twips.height, dpi)};
}

constexpr Box pixelsFromTwips(Box twips, int dpi = standardDpi) {
  return {pixelsFromTwips(twips.left, dpi), pixelsFromTwips(twips.top, dpi), pixelsFromTwips(twips.width, dpi),
          pixelsFromTwips(twips.height, dpi)};
}

} // namespace orvelin
