#pragma once
// The designs' fonts, "MS Sans Serif" and "Times New Roman", at a window's DPI. Where a system lacks
// one, its family (sans serif or serif) guides the system to the nearest it has.

#include "app/window_design.h"
#include "frontends/win32/gdi_objects.h"

#include <utility>
#include <vector>

namespace orvelin::win32 {

// The font's height in pixels at dpi: its point size scaled, to the nearest pixel.
int pixelHeight(double points, unsigned dpi);

// The fonts of one window at one DPI, each made once, at its first use, and kept as long as the set.
class WindowFonts {
public:
  explicit WindowFonts(unsigned dpi) : dpi_(dpi) {}

  [[nodiscard]] HFONT operator()(const Font &font);

private:
  unsigned dpi_;
  std::vector<std::pair<Font, UniqueFont>> made_;
};

} // namespace orvelin::win32
