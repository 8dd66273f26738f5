#pragma once

#include <filesystem>

namespace orvelin {

// Whether a hidden file can be found: on Linux one whose name starts with ".", on Windows one with
// the hidden or the system attribute.
enum class HiddenFiles {
  // The main window's look-up searches a folder for ordinary files, and hidden ones are not among
  // them.
  PassedOver,
  // Taken like any other file, for a user who names each file on purpose.
  Found,
};

// True when name is the path of one existing file, or of a symbolic link to one. Folders and names
// with the wildcard characters * or ? are not found, even when something matches them. Hidden is
// judged by the name's last part as given, not by where a link leads.
bool namesExistingFile(const std::filesystem::path &name, HiddenFiles hidden);

} // namespace orvelin
