#pragma once
// The designs name their pictures and icons by their files in resources/; the Windows program
// carries them as resources of its own (orvelin.rc).

#include "frontends/win32/gdi_objects.h"

#include <string_view>

namespace orvelin::win32 {

// The window icon of a design's icon file, at the system's size for kind (ICON_BIG or ICON_SMALL).
UniqueIcon loadWindowIcon(std::string_view file, WPARAM kind);

// A design's picture as bitmaps: at its own size, and drawn from its source at twice that size where
// the program carries one. Both are null when the design names none.
struct WindowPicture {
  UniqueBitmap standard;
  UniqueBitmap large;
};
WindowPicture loadPicture(std::string_view file);

} // namespace orvelin::win32
