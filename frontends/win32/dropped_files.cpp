#include "frontends/win32/dropped_files.h"

namespace orvelin::win32 {

std::vector<std::u16string> takeDroppedFiles(HDROP drop) {
  std::vector<std::u16string> files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  files.reserve(count);
  for (UINT index = 0; index < count; ++index) {
    std::u16string path(DragQueryFileW(drop, index, nullptr, 0) + 1, u'\0');
    path.resize(DragQueryFileW(drop, index, reinterpret_cast<wchar_t *>(path.data()), static_cast<UINT>(path.size())));
    files.push_back(std::move(path));
  }
  DragFinish(drop);
  return files;
}

} // namespace orvelin::win32
