#include "file_drop.h"

#include <shlobj.h>

#include <cstring>

namespace orvelin::win32 {

HDROP fileDrop(const std::vector<std::u16string> &paths) {
  // The header, then each path with its terminating null, then one more null.
  std::size_t characters = 1;
  for (const std::u16string &path : paths) {
    characters += path.size() + 1;
  }
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(char16_t));
  auto *header = static_cast<DROPFILES *>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  auto *next = reinterpret_cast<char16_t *>(header + 1);
  for (const std::u16string &path : paths) {
    std::memcpy(next, path.c_str(), (path.size() + 1) * sizeof(char16_t));
    next += path.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

} // namespace orvelin::win32
