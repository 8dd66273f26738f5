#pragma once
// The designs' fonts, "MS Sans Serif" and "Times New Roman", at a window's DPI. Where a system lacks
// one, its family (sans serif or serif) guides the system to the nearest it has.

#include "frontends/win32/gdi_objects.h"
#include "ui/window_design.h"

#include <vector>

namespace orvelin::win32 {

// The font's height in pixels at dpi: its point size scaled, to the nearest pixel.
int pixelHeight(double points, unsigned dpi);

// The fonts of one window at one DPI, each made once, at its first use, and kept as long as the set.
class WindowFonts {
public:
  explicit WindowFonts(unsigned dpi) : dpi_(dpi) {}

  // At the font's own size.
  [[nodiscard]] HFONT operator()(const Font &font) { return (*this)(font, pixelHeight(font.points, dpi_)); }
  // Its family and weight at another height, in pixels.
  [[nodiscard]] HFONT operator()(const Font &font, int pixels);

private:
  struct Made {
    Font font;
    int pixels;
    UniqueFont handle;
  };

  unsigned dpi_;
  std::vector<Made> made_;
};

} // namespace orvelin::win32
