#include "file_replacement.h"

#include "file_error.h"
#include "file_system_calls.h"
#include "temporary_files.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace orvelin {
namespace {

// Long writes go in pieces, so a full disk is met part-way through like on any large file.
constexpr std::size_t writePiece = std::size_t{1} << 20;
constexpr mode_t permissionBits = 07777;

bool failed(const QString &path, int errorNumber) {
  return reportFileError(fileErrorText("write", path, errorNumber) + QStringLiteral(" The file has not been changed."));
}

// The file a path finally names, following every symbolic link; empty with errno set on failure.
std::string finalTarget(const QByteArray &name) {
  const std::unique_ptr<char, decltype(&std::free)> resolved(fileSystem().realpath(name.constData(), nullptr),
                                                             &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

bool writeAll(int file, std::string_view bytes) {
  const FileSystemCalls &fs = fileSystem();
  while (!bytes.empty()) {
    const ssize_t wrote = fs.write(file, bytes.data(), std::min(bytes.size(), writePiece));
    if (wrote < 0 && errno == EINTR) {
      continue;
    }
    if (wrote <= 0) {
      if (wrote == 0) {
        errno = ENOSPC;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(wrote));
  }
  return true;
}

// Puts the whole content on disk under the temporary name, with the target's owner and permission
// bits given only once the content is complete.
bool fillTemporaryFile(int file, std::string_view bytes, const struct stat &target) {
  const FileSystemCalls &fs = fileSystem();
  if (!writeAll(file, bytes)) {
    return false;
  }
  // Only the superuser may give a file away; for anyone else the file stays theirs, which is right.
  fs.fchown(file, target.st_uid, target.st_gid);
  return fs.fchmod(file, target.st_mode & permissionBits) == 0 && fs.fsync(file) == 0;
}

// Closes the temporary file and, once it holds the whole content, renames it over the target.
// Returns 0, or the error number of the step that failed.
int completeAndRename(int file, std::string_view bytes, const struct stat &status, const std::string &temporary,
                      const std::string &target) {
  const FileSystemCalls &fs = fileSystem();
  if (!fillTemporaryFile(file, bytes, status)) {
    const int error = errno;
    fs.close(file);
    return error;
  }
  if (fs.close(file) != 0 || fs.rename(temporary.c_str(), target.c_str()) != 0) {
    return errno;
  }
  return 0;
}

// Makes the rename itself durable; a failure here cannot undo it, so it is not reported.
void syncDirectory(const std::string &directory) {
  const FileSystemCalls &fs = fileSystem();
  const int handle = fs.open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (handle >= 0) {
    fs.fsync(handle);
    fs.close(handle);
  }
}

} // namespace

bool checkReplaceable(const QString &path) {
  const FileSystemCalls &fs = fileSystem();
  const QByteArray name = QFile::encodeName(path);
  struct stat status {};
  if (fs.stat(name.constData(), &status) != 0) {
    return reportFileError(fileErrorText("read", path, errno));
  }
  // The owner's write bit is the user's own "do not change", which even the superuser respects here.
  if ((status.st_mode & S_IWUSR) == 0 || fs.access(name.constData(), W_OK) != 0) {
    return reportFileError(QStringLiteral("Cannot change \"%1\": the file is read-only.").arg(path));
  }
  return true;
}

bool replaceFileContent(const QString &path, std::string_view bytes) {
  const FileSystemCalls &fs = fileSystem();
  const std::string target = finalTarget(QFile::encodeName(path));
  struct stat status {};
  if (target.empty() || fs.stat(target.c_str(), &status) != 0) {
    return failed(path, errno);
  }
  tidyAbandonedTemporaryFiles(target);
  std::string temporary;
  const int file = createTemporaryFile(target, temporary);
  if (file < 0) {
    return failed(path, errno);
  }
  if (const int error = completeAndRename(file, bytes, status, temporary, target); error != 0) {
    fs.unlink(temporary.c_str());
    return failed(path, error);
  }
  syncDirectory(directoryOf(target));
  return true;
}

} // namespace orvelin
