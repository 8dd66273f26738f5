#include "frontends/win32/label_drawing.h"

#include "frontends/win32/gdi_objects.h"
#include "frontends/win32/system_colours.h"

#include <algorithm>

namespace orvelin::win32 {

UINT labelTextFormat(const ControlDesign &label) {
  // No access keys: an ampersand is shown as it is.
  UINT format = DT_TOP | DT_NOPREFIX;
  format |= label.alignment == Alignment::Centred ? DT_CENTER : DT_LEFT;
  if (label.wordWrap) {
    format |= DT_WORDBREAK;
  }
  return format;
}

void drawLabel(HDC dc, const RECT &box, const ControlDesign &label, std::wstring_view text) {
  if (label.background) {
    const UniqueBrush fill(CreateSolidBrush(colourOf(*label.background)));
    FillRect(dc, &box, fill.get());
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colourOf(label.colour));
  RECT area = box;
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area, labelTextFormat(label));
}

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

} // namespace orvelin::win32
