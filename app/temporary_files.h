#pragma once
// The temporary files a replacement writes beside the file it replaces: private, hidden, gone with
// a killed process until they are kept at their name for the last step, and held while in use, so
// that one a killed process left at its name can be told apart and tidied away.

#include "system_files.h"

#include <filesystem>
#include <optional>

namespace orvelin {

// Creates the temporary file for target (an absolute path) in target's folder, and holds it for as
// long as it is open; or nothing (os::lastError() says why).
std::optional<os::PrivateFile> createTemporaryFile(const std::filesystem::path &target);

// Lets the temporary file of target outlast this process under a temporary name of target's.
bool keepTemporaryFile(os::PrivateFile &file, const std::filesystem::path &target);

// Closes the temporary file and removes it.
void discardTemporaryFile(const os::PrivateFile &file);

// Removes the temporary files of target that no live process holds (those a crash or a failed
// clean-up left behind), but only while target itself is there: until then, one of them may hold
// the only copy of its content.
void tidyAbandonedTemporaryFiles(const std::filesystem::path &target);

} // namespace orvelin
