#include "frontends/win32/control_layout.h"

#include "frontends/win32/control_windows.h"
#include "frontends/win32/label_measure.h"

#include <string>

namespace orvelin::win32 {
namespace {

// A font that comes in fixed sizes, such as the bitmap "MS Sans Serif", does not grow line for line
// with the DPI: at 144 DPI its lines are 20 pixels high where the design's 13 at 96 would give 19.5.
HFONT fittingFont(HDC dc, const ControlDesign &label, std::wstring_view text, Box box, WindowFonts &fonts,
                  unsigned dpi) {
  for (int pixels = pixelHeight(label.font.points, dpi);; --pixels) {
    HFONT font = fonts(label.font, pixels);
    SelectObject(dc, font);
    const SIZE needed = labelTextSize(dc, label, text, box.width);
    if ((needed.cx <= box.width && needed.cy <= box.height) || pixels <= 1) {
      return font;
    }
  }
}

} // namespace

void layOutControl(HWND control, const ControlDesign &design, WindowFonts &fonts, unsigned dpi) {
  Box box = pixelsFromTwips(design.box, static_cast<int>(dpi));
  HFONT font = fonts(design.font);
  // Only labels are fitted to their texts.
  if (design.kind != ControlKind::TextBox && design.kind != ControlKind::ProgressBar) {
    const std::wstring text = controlText(control);
    HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, font);
    if (design.sizedToText) {
      const SIZE size = textExtent(dc, text);
      box.width = size.cx;
      box.height = size.cy;
    } else {
      font = fittingFont(dc, design, text, box, fonts, dpi);
    }
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
  }
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  MoveWindow(control, box.left, box.top, box.width, box.height, FALSE);
}

} // namespace orvelin::win32
