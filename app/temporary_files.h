#pragma once
// The temporary files a replacement writes beside the file it replaces (hidden, private, and held
// while in use, so that one left behind by a killed process can be told apart and tidied away), and
// the names of the same kind it may set the old file aside under.

#include "system_files.h"

#include <filesystem>
#include <optional>

namespace orvelin {

// A new name for a temporary file of target (an absolute path), in target's folder; nothing is
// created under it.
std::filesystem::path temporaryName(const std::filesystem::path &target);

// Creates the temporary file for target (an absolute path) in target's folder, and holds it for as
// long as it is open. Returns its handle and sets name, or nothing (os::lastError() says why).
std::optional<os::FileHandle> createTemporaryFile(const std::filesystem::path &target, std::filesystem::path &name);

// Removes the temporary files of target that no live process holds (those a crash or a failed
// clean-up left behind), but only while target itself is there: until then, one of them may hold
// the only copy of its content.
void tidyAbandonedTemporaryFiles(const std::filesystem::path &target);

} // namespace orvelin
