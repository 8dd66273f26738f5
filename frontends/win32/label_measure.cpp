#include "frontends/win32/label_measure.h"

#include "frontends/win32/label_drawing.h"

#include <algorithm>

namespace orvelin::win32 {
namespace {

// How far below the baseline the text's glyphs reach, at most the font's descent; the whole descent
// where the font cannot tell (a bitmap font).
int inkDepth(HDC dc, std::wstring_view text) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  int deepest = 0;
  for (const wchar_t character : text) {
    constexpr MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS glyph{};
    if (GetGlyphOutlineW(dc, character, GGO_METRICS, &glyph, 0, nullptr, &identity) == GDI_ERROR) {
      return metrics.tmDescent;
    }
    deepest = std::max(deepest, static_cast<int>(glyph.gmBlackBoxY) - static_cast<int>(glyph.gmptGlyphOrigin.y));
  }
  return std::min(deepest, static_cast<int>(metrics.tmDescent));
}

} // namespace

SIZE textExtent(HDC dc, std::wstring_view text) {
  SIZE extent{};
  if (text.empty()) {
    return extent;
  }
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
  // A glyph's ink may start before its advance (A) or end after it (C); those parts count too.
  ABC first{};
  ABC last{};
  if (GetCharABCWidthsW(dc, text.front(), text.front(), &first) != FALSE &&
      GetCharABCWidthsW(dc, text.back(), text.back(), &last) != FALSE) {
    extent.cx += std::max(0, -first.abcA) + std::max(0, -last.abcC);
  }
  return extent;
}

SIZE labelTextSize(HDC dc, const ControlDesign &label, std::wstring_view text, int width) {
  RECT needed{0, 0, width, 0};
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &needed, DT_CALCRECT | labelTextFormat(label));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return {needed.right, needed.bottom - metrics.tmDescent + inkDepth(dc, text)};
}

} // namespace orvelin::win32
