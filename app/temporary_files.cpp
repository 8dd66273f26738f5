#include "temporary_files.h"

#include "file_system_calls.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>

namespace orvelin {
namespace {

// Keeps the temporary name within the 255-byte limit of a file name.
constexpr std::size_t longestNameStem = 200;
constexpr std::string_view randomPart = "XXXXXX";

// ".<name>.orvelin-": hidden, so that a file left by a crash stays out of the user's way.
std::string temporaryPrefixFor(const std::string &target) {
  const std::string directory = directoryOf(target);
  return '.' + target.substr(directory.size(), longestNameStem) + ".orvelin-";
}

} // namespace

std::string directoryOf(const std::string &path) { return path.substr(0, path.find_last_of('/') + 1); }

int createTemporaryFile(const std::string &target, std::string &name) {
  const FileSystemCalls &fs = fileSystem();
  name = directoryOf(target) + temporaryPrefixFor(target) + std::string(randomPart);
  const int file = fs.mkostemp(name.data(), O_CLOEXEC);
  if (file >= 0 && fs.flock(file, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    fs.close(file);
    fs.unlink(name.c_str());
    errno = error;
    return -1;
  }
  return file;
}

void tidyAbandonedTemporaryFiles(const std::string &target) {
  const FileSystemCalls &fs = fileSystem();
  const std::string prefix = temporaryPrefixFor(target);
  std::error_code ignored;
  for (const auto &entry : std::filesystem::directory_iterator(directoryOf(target), ignored)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(prefix) || name.size() != prefix.size() + randomPart.size()) {
      continue;
    }
    // A lock that can be taken belongs to nobody: its writer is gone.
    const int file = fs.open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC, 0);
    if (file >= 0) {
      if (fs.flock(file, LOCK_EX | LOCK_NB) == 0) {
        fs.unlink(entry.path().c_str());
      }
      fs.close(file);
    }
  }
}

} // namespace orvelin
