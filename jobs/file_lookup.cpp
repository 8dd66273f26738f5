#include "file_lookup.h"

#include "system_files.h"

#include <algorithm>

namespace orvelin {

bool namesExistingFile(const std::filesystem::path &name, HiddenFiles hidden) {
  if (std::ranges::any_of(name.native(), [](auto character) { return character == '*' || character == '?'; })) {
    return false;
  }
  const os::FolderEntry entry = os::searchFolderFor(name);
  return entry.ordinaryFile && (hidden == HiddenFiles::Found || !entry.hidden);
}

} // namespace orvelin
