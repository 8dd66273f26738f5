#pragma once
// The temporary files a replacement writes beside the file it replaces: hidden, private, and locked
// while in use, so that one left behind by a killed process can be told apart and tidied away.

#include <string>

namespace orvelin {

// The folder part of an absolute path, with its trailing slash.
std::string directoryOf(const std::string &path);

// Creates the temporary file for target (an absolute path) and locks it for as long as it is open.
// Returns its handle and sets name, or -1 with errno set.
int createTemporaryFile(const std::string &target, std::string &name);

// Removes the temporary files of target that no live process holds: those a crash left behind.
void tidyAbandonedTemporaryFiles(const std::string &target);

} // namespace orvelin
