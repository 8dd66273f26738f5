#include "frontends/win32/window_pictures.h"

#include "frontends/win32/resource_ids.h"

namespace orvelin::win32 {
namespace {

struct Resource {
  std::string_view file;
  WORD id;
  WORD largeId = 0; // none
};

// The splash's JPEG is carried as a BMP, which LoadImageW reads.
constexpr Resource resources[] = {
    {"orvelin.png", ORVELIN_ICON_PROGRAM},
    {"help.png", ORVELIN_ICON_HELP},
    {"info.png", ORVELIN_ICON_INFORMATION},
    {"splash.jpg", ORVELIN_BITMAP_SPLASH, ORVELIN_BITMAP_SPLASH_LARGE},
};

const Resource *resourceFor(std::string_view file) {
  for (const Resource &each : resources) {
    if (each.file == file) {
      return &each;
    }
  }
  return nullptr;
}

const wchar_t *resourceOf(std::string_view file) {
  const Resource *found = resourceFor(file);
  return found == nullptr ? nullptr : MAKEINTRESOURCEW(found->id);
}

UniqueBitmap loadBitmap(WORD id) {
  return UniqueBitmap(
      static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
}

} // namespace

UniqueIcon loadWindowIcon(std::string_view file, WPARAM kind) {
  const bool big = kind == ICON_BIG;
  return UniqueIcon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), resourceOf(file), IMAGE_ICON,
                                                  GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON),
                                                  GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON), 0)));
}

WindowPicture loadPicture(std::string_view file) {
  const Resource *found = file.empty() ? nullptr : resourceFor(file);
  if (found == nullptr) {
    return {};
  }
  return {loadBitmap(found->id), found->largeId == 0 ? nullptr : loadBitmap(found->largeId)};
}

} // namespace orvelin::win32
