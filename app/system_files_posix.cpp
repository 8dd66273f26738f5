#include "system_files.h"

#include "file_system_calls.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace orvelin::os {
namespace {

constexpr mode_t permissionBits = 07777;

// The file system, or a kernel before 3.11, has no unnamed files.
bool unnamedFilesUnsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOSYS;
}

} // namespace

ErrorCode lastError() { return errno; }

// strerror may word an unknown error in one buffer for the whole process, and orvelin-cli runs jobs
// side by side; the GNU strerror_r returns the text, in the buffer given or a constant one.
std::string errorText(ErrorCode error) {
  std::array<char, 256> buffer{};
  return ::strerror_r(error, buffer.data(), buffer.size());
}

FolderEntry searchFolderFor(const Path &name) {
  std::error_code missing;
  // The entry the user named is judged, not where a link leads: a link called "notes.txt" is found
  // wherever it leads, a link called ".notes" is hidden, and a hidden folder higher up the path is
  // searched like any other.
  return {std::filesystem::is_regular_file(name, missing), name.filename().native().starts_with('.')};
}

std::optional<FileFacts> factsOf(const Path &file) {
  struct stat status {};
  if (fileSystem().stat(file.c_str(), &status) != 0) {
    return std::nullopt;
  }
  return FileFacts{S_ISREG(status.st_mode), static_cast<std::uint64_t>(status.st_size)};
}

std::optional<bool> isReadOnly(const Path &file) {
  const FileSystemCalls &fs = fileSystem();
  struct stat status {};
  if (fs.stat(file.c_str(), &status) != 0) {
    return std::nullopt;
  }
  // The owner's write bit is the user's own "do not change", which even the superuser respects here.
  return (status.st_mode & S_IWUSR) == 0 || fs.access(file.c_str(), W_OK) != 0;
}

std::optional<FileHandle> openForReading(const Path &file) {
  const int handle = fileSystem().open(file.c_str(), O_RDONLY | O_CLOEXEC, 0);
  return handle >= 0 ? std::optional(handle) : std::nullopt;
}

std::optional<std::size_t> readSome(FileHandle file, char *buffer, std::size_t count) {
  for (;;) {
    const ssize_t got = fileSystem().read(file, buffer, count);
    if (got >= 0) {
      return static_cast<std::size_t>(got);
    }
    if (errno != EINTR) {
      return std::nullopt;
    }
  }
}

std::optional<std::size_t> writeSome(FileHandle file, const char *bytes, std::size_t count) {
  for (;;) {
    const ssize_t wrote = fileSystem().write(file, bytes, count);
    if (wrote > 0) {
      return static_cast<std::size_t>(wrote);
    }
    if (wrote == 0) {
      // Nothing taken and no error: there is no room left.
      errno = ENOSPC;
      return std::nullopt;
    }
    if (errno != EINTR) {
      return std::nullopt;
    }
  }
}

bool close(FileHandle file) { return fileSystem().close(file) == 0; }

std::optional<Path> finalTarget(const Path &file) {
  const std::unique_ptr<char, decltype(&std::free)> resolved(fileSystem().realpath(file.c_str(), nullptr), &std::free);
  return resolved ? std::optional<Path>(resolved.get()) : std::nullopt;
}

std::optional<PrivateFile> createPrivateFile(const Path &name) {
  const FileSystemCalls &fs = fileSystem();
  constexpr mode_t privateBits = S_IRUSR | S_IWUSR;
  bool named = false;
  int file = fs.open(name.parent_path().c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, privateBits);
  if (file < 0 && unnamedFilesUnsupported(errno)) {
    named = true;
    file = fs.open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, privateBits);
  }
  if (file < 0) {
    return std::nullopt;
  }
  // The lock tells the file of a live job from one a killed job left behind, from the moment it has
  // a name.
  if (fs.flock(file, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    fs.close(file);
    if (named) {
      fs.unlink(name.c_str());
    }
    errno = error;
    return std::nullopt;
  }
  return PrivateFile{file, name, named};
}

bool nameTaken(ErrorCode error) { return error == EEXIST; }

bool takeOverAttributes(const PrivateFile &file, const Path &target) {
  const FileSystemCalls &fs = fileSystem();
  struct stat status {};
  if (fs.stat(target.c_str(), &status) != 0) {
    return false;
  }
  // Only the superuser may give a file away; for anyone else the file stays theirs, which is right.
  fs.fchown(file.handle, status.st_uid, status.st_gid);
  return fs.fchmod(file.handle, status.st_mode & permissionBits) == 0;
}

bool flush(FileHandle file) { return fileSystem().fsync(file) == 0; }

bool keepPrivateFile(PrivateFile &file) {
  if (file.named) {
    return true;
  }
  const FileSystemCalls &fs = fileSystem();
  const std::string itself = "/proc/self/fd/" + std::to_string(file.handle);
  if (fs.linkat(AT_FDCWD, itself.c_str(), AT_FDCWD, file.name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
    // Without /proc, the file is named through its handle, which not every process may do.
    if (errno != ENOENT || fs.linkat(file.handle, "", AT_FDCWD, file.name.c_str(), AT_EMPTY_PATH) != 0) {
      return false;
    }
  }
  file.named = true;
  return true;
}

bool putInPlace(const PrivateFile &file, const Path &target) {
  return fileSystem().rename(file.name.c_str(), target.c_str()) == 0;
}

bool recordPlacement(const PrivateFile & /*file*/, const Path &target) {
  // The rename is the folder's change, made durable by syncing the folder. One the user may write
  // but not read cannot be opened to sync, and some file systems sync no folders (EINVAL): there
  // the rename is as durable as the file system makes it.
  const FileSystemCalls &fs = fileSystem();
  const int folder = fs.open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (folder < 0) {
    return errno == EACCES;
  }
  const bool synced = fs.fsync(folder) == 0 || errno == EINVAL;
  const int error = errno;
  fs.close(folder);
  errno = error;
  return synced;
}

void removeFile(const Path &file) { fileSystem().unlink(file.c_str()); }

void removeIfAbandoned(const Path &file) {
  const FileSystemCalls &fs = fileSystem();
  const int handle = fs.open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC, 0);
  if (handle >= 0) {
    // A lock that can be taken belongs to nobody: its writer is gone.
    if (fs.flock(handle, LOCK_EX | LOCK_NB) == 0) {
      fs.unlink(file.c_str());
    }
    fs.close(handle);
  }
}

} // namespace orvelin::os
