#include "frontends/win32/window_face.h"

#include "frontends/win32/gdi_objects.h"
#include "frontends/win32/system_colours.h"

namespace orvelin::win32 {
namespace {

int scaled(int pixelsAt96, unsigned dpi) { return MulDiv(pixelsAt96, static_cast<int>(dpi), standardDpi); }

BITMAP sizeOf(HBITMAP bitmap) {
  BITMAP size{};
  GetObjectW(bitmap, sizeof size, &size);
  return size;
}

// At its own size at the standard DPI; above it, from the large rendering where there is one, so
// that it is scaled down, or not at all, rather than up.
void paintPicture(HDC dc, const WindowPicture &picture, unsigned dpi) {
  const BITMAP size = sizeOf(picture.standard.get());
  const bool large = dpi != standardDpi && picture.large != nullptr;
  HBITMAP drawn = large ? picture.large.get() : picture.standard.get();
  const BITMAP drawnSize = sizeOf(drawn);
  HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ previous = SelectObject(source, drawn);
  const int width = scaled(size.bmWidth, dpi);
  const int height = scaled(size.bmHeight, dpi);
  if (width == drawnSize.bmWidth && height == drawnSize.bmHeight) {
    BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, width, height, source, 0, 0, drawnSize.bmWidth, drawnSize.bmHeight, SRCCOPY);
  }
  SelectObject(source, previous);
  DeleteDC(source);
}

void paintOutlinesAndLines(HDC dc, const WindowDesign &design, unsigned dpi, COLORREF colour) {
  const UniqueBrush brush(CreateSolidBrush(colour));
  for (const OutlineDesign &outline : design.outlines) {
    const Box box = pixelsFromTwips(outline.box, static_cast<int>(dpi));
    // FrameRect covers exactly the pixels of the rectangle's edge, inside it.
    const RECT edge{box.left, box.top, box.left + box.width, box.top + box.height};
    FrameRect(dc, &edge, brush.get());
  }
  const UniquePen pen(CreatePen(PS_SOLID, 1, colour));
  const HGDIOBJ previous = SelectObject(dc, pen.get());
  for (const LineDesign &line : design.lines) {
    const Point from = pixelsFromTwips(line.from, static_cast<int>(dpi));
    const Point to = pixelsFromTwips(line.to, static_cast<int>(dpi));
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    // LineTo stops short of its end point, which the line includes.
    SetPixel(dc, to.x, to.y, colour);
  }
  SelectObject(dc, previous);
}

} // namespace

void paintWindowFace(HDC dc, const RECT &dirty, const WindowDesign &design, const WindowPicture &picture,
                     unsigned dpi) {
  const Contrast contrast = currentContrast();
  const UniqueBrush background(CreateSolidBrush(colourOf(windowColour(design, contrast))));
  FillRect(dc, &dirty, background.get());
  if (picture.standard != nullptr) {
    paintPicture(dc, picture, dpi);
  }
  paintOutlinesAndLines(dc, design, dpi, colourOf(lineColour(contrast)));
}

} // namespace orvelin::win32
