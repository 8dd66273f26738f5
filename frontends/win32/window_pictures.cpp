#include "frontends/win32/window_pictures.h"

#include "frontends/win32/resource_ids.h"

namespace orvelin::win32 {
namespace {

struct Resource {
  std::string_view file;
  WORD id;
};

// The splash's JPEG is carried as a BMP, which LoadImageW reads.
constexpr Resource resources[] = {
    {"orvelin.png", ORVELIN_ICON_PROGRAM},
    {"help.png", ORVELIN_ICON_HELP},
    {"info.png", ORVELIN_ICON_INFORMATION},
    {"splash.jpg", ORVELIN_BITMAP_SPLASH},
};

const wchar_t *resourceOf(std::string_view file) {
  for (const Resource &each : resources) {
    if (each.file == file) {
      return MAKEINTRESOURCEW(each.id);
    }
  }
  return nullptr;
}

} // namespace

UniqueIcon loadWindowIcon(std::string_view file, WPARAM kind) {
  const bool big = kind == ICON_BIG;
  return UniqueIcon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), resourceOf(file), IMAGE_ICON,
                                                  GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON),
                                                  GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON), 0)));
}

UniqueBitmap loadPicture(std::string_view file) {
  if (file.empty()) {
    return nullptr;
  }
  return UniqueBitmap(
      static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), resourceOf(file), IMAGE_BITMAP, 0, 0, 0)));
}

} // namespace orvelin::win32
