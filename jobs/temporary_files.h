#pragma once
// The temporary files a replacement writes beside the file it replaces: private, hidden, gone with
// a killed process until they are kept at their name for the last step, and held while in use, so
// that one a killed process left at its name can be told apart and tidied away.

#include "system_files.h"

#include <filesystem>
#include <optional>

namespace orvelin {

// Creates the temporary file for the file at place, in its folder, and holds it for as long as it
// is open; or nothing (os::lastError() says why).
std::optional<os::PrivateFile> createTemporaryFile(const os::Place &place);

// Lets the temporary file of the file at place outlast this process under a temporary name.
bool keepTemporaryFile(const os::Place &place, os::PrivateFile &file);

// Closes the temporary file and removes it.
void discardTemporaryFile(const os::Place &place, const os::PrivateFile &file);

// Removes the temporary files of the file at place that no live process holds (those a crash or a
// failed clean-up left behind), but only while the file itself is there: until then, one of them
// may hold the only copy of its content.
void tidyAbandonedTemporaryFiles(const os::Place &place);

} // namespace orvelin
