#include "frontends/win32/label_drawing.h"

#include "frontends/win32/gdi_objects.h"
#include "frontends/win32/system_colours.h"

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
  const Contrast contrast = currentContrast();
  if (const std::optional<Rgb> background = fillOf(label, contrast)) {
    const UniqueBrush fill(CreateSolidBrush(colourOf(*background)));
    FillRect(dc, &box, fill.get());
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colourOf(textColour(label, contrast)));
  RECT area = box;
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area, labelTextFormat(label));
}

} // namespace orvelin::win32
