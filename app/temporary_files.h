#pragma once
// The temporary files a replacement writes beside the file it replaces: hidden, private, and held
// while in use, so that one left behind by a killed process can be told apart and tidied away.

#include "system_files.h"

#include <filesystem>
#include <optional>

namespace orvelin {

// Creates the temporary file for target (an absolute path) in target's folder, and holds it for as
// long as it is open. Returns its handle and sets name, or nothing (os::lastError() says why).
std::optional<os::FileHandle> createTemporaryFile(const std::filesystem::path &target, std::filesystem::path &name);

// Removes the temporary files of target that no live process holds: those a crash left behind.
void tidyAbandonedTemporaryFiles(const std::filesystem::path &target);

} // namespace orvelin
