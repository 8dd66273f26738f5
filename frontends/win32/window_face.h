#pragma once
// What a design draws on the window itself, beneath its controls.

#include "base/windows_api.h"
#include "frontends/win32/window_pictures.h"
#include "ui/window_design.h"

namespace orvelin::win32 {

// Paints the part of the window in dirty: the background colour, then the picture at its own size
// from the top-left corner (scaled with the DPI, as everything else is), then the outlines and lines,
// black and one pixel wide, at dpi. picture may be empty.
void paintWindowFace(HDC dc, const RECT &dirty, const WindowDesign &design, const WindowPicture &picture, unsigned dpi);

} // namespace orvelin::win32
