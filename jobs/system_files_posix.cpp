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
  if (fileSystem().fstatat(AT_FDCWD, file.c_str(), &status, 0) != 0) {
    return std::nullopt;
  }
  return FileFacts{S_ISREG(status.st_mode), static_cast<std::uint64_t>(status.st_size)};
}

std::optional<bool> isReadOnly(const Path &file) {
  const FileSystemCalls &fs = fileSystem();
  struct stat status {};
  if (fs.fstatat(AT_FDCWD, file.c_str(), &status, 0) != 0) {
    return std::nullopt;
  }
  // The owner's write bit is the user's own "do not change", which even the superuser respects here.
  return (status.st_mode & S_IWUSR) == 0 || fs.access(file.c_str(), W_OK) != 0;
}

std::optional<Place> placeOf(const Path &file) {
  const FileSystemCalls &fs = fileSystem();
  const std::unique_ptr<char, decltype(&std::free)> resolved(fs.realpath(file.c_str(), nullptr), &std::free);
  if (!resolved) {
    return std::nullopt;
  }
  const Path target(resolved.get());
  // A handle that only names the folder: it opens even where the user may write but not read it.
  const int folder = fs.openat(AT_FDCWD, target.parent_path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC, 0);
  if (folder < 0) {
    return std::nullopt;
  }
  return Place{folder, target.parent_path(), target.filename()};
}

void release(const Place &place) { fileSystem().close(place.folder); }

namespace {

FileStamp stampOf(const struct stat &status) {
  constexpr std::int64_t nanoseconds = 1'000'000'000;
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
          static_cast<std::uint64_t>(status.st_size), status.st_mtim.tv_sec * nanoseconds + status.st_mtim.tv_nsec,
          status.st_ctim.tv_sec * nanoseconds + status.st_ctim.tv_nsec};
}

// What is at name in folder, the entry itself even if it is a link.
std::optional<FileStamp> stampIn(int folder, const Path &name) {
  struct stat status {};
  if (fileSystem().fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
    return std::nullopt;
  }
  return stampOf(status);
}

// Closes a handle and keeps the error that came before.
void closeKeepingError(int file) {
  const int error = errno;
  fileSystem().close(file);
  errno = error;
}

} // namespace

std::optional<Original> openOriginal(const Place &place) {
  const FileSystemCalls &fs = fileSystem();
  const int file = fs.openat(place.folder, place.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0);
  if (file < 0) {
    return std::nullopt;
  }
  struct stat status {};
  if (fs.fstatat(file, "", &status, AT_EMPTY_PATH) != 0) {
    closeKeepingError(file);
    return std::nullopt;
  }
  // O_NONBLOCK, which kept the open from waiting on a FIFO or a device, means nothing to the reads of
  // a regular file, which wait for the disk as ever.
  return Original{file, stampOf(status), S_ISREG(status.st_mode)};
}

std::optional<FileStamp> stampAt(const Place &place) { return stampIn(place.folder, place.name); }

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

std::optional<PrivateFile> createPrivateFile(const Place &place, const Path &name) {
  const FileSystemCalls &fs = fileSystem();
  constexpr mode_t privateBits = S_IRUSR | S_IWUSR;
  bool named = false;
  int file = fs.openat(place.folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, privateBits);
  if (file < 0 && unnamedFilesUnsupported(errno)) {
    named = true;
    file = fs.openat(place.folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, privateBits);
  }
  if (file < 0) {
    return std::nullopt;
  }
  // The lock tells the file of a live job from one a killed job left behind, from the moment it has
  // a name.
  if (fs.flock(file, LOCK_EX | LOCK_NB) != 0) {
    closeKeepingError(file);
    if (named) {
      const int error = errno;
      fs.unlinkat(place.folder, name.c_str(), 0);
      errno = error;
    }
    return std::nullopt;
  }
  return PrivateFile{file, name, named};
}

bool nameTaken(ErrorCode error) { return error == EEXIST; }

bool nameGone(ErrorCode error) { return error == ENOENT || error == ELOOP; }

namespace {

constexpr const char *accessList = "system.posix_acl_access";

// The extended attributes a user may give a file: their own ("user.") and the access control list.
// The others belong to the system's security modules and the superuser, which set their own.
bool userMaySet(std::string_view name) { return name.starts_with("user.") || name == accessList; }

// The file system keeps no extended attributes, or none of this name.
bool noAttribute(int error) { return error == ENODATA || error == EOPNOTSUPP; }

// The names of the file's extended attributes, each ended by a zero byte; or nothing on a failure.
std::optional<std::string> attributeNames(int file) {
  const FileSystemCalls &fs = fileSystem();
  for (;;) {
    const ssize_t size = fs.flistxattr(file, nullptr, 0);
    if (size < 0) {
      return noAttribute(errno) ? std::optional<std::string>("") : std::nullopt;
    }
    std::string names(static_cast<std::size_t>(size), '\0');
    const ssize_t got = fs.flistxattr(file, names.data(), names.size());
    if (got >= 0) {
      names.resize(static_cast<std::size_t>(got));
      return names;
    }
    if (errno != ERANGE) { // ERANGE: one was added meanwhile
      return std::nullopt;
    }
  }
}

bool copyAttribute(int from, int to, const char *name) {
  const FileSystemCalls &fs = fileSystem();
  for (;;) {
    const ssize_t size = fs.fgetxattr(from, name, nullptr, 0);
    if (size < 0) {
      return errno == ENODATA; // removed meanwhile
    }
    std::string value(static_cast<std::size_t>(size), '\0');
    const ssize_t got = fs.fgetxattr(from, name, value.data(), value.size());
    if (got >= 0) {
      return fs.fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0) == 0;
    }
    if (errno != ERANGE) {
      return false;
    }
  }
}

// The extended attributes the user may set, the access control list among them, carried from one
// file to another.
bool copyAttributes(int from, int to) {
  const std::optional<std::string> names = attributeNames(from);
  if (!names) {
    return false;
  }
  for (std::size_t at = 0; at < names->size();) {
    const std::string name = names->c_str() + at;
    at += name.size() + 1;
    if (userMaySet(name) && !copyAttribute(from, to, name.c_str())) {
      return false;
    }
  }
  return true;
}

// What the user chose for the file from, carried over to the file to.
Takeover takeOverAttributesOf(int from, int to) {
  const FileSystemCalls &fs = fileSystem();
  struct stat status {};
  if (fs.fstatat(from, "", &status, AT_EMPTY_PATH) != 0) {
    return Takeover::failed;
  }
  // Only the superuser may give a file away; for anyone else the file stays theirs, which is right.
  // The group stays where the user is in it; where not, its rights would go to the user's own group.
  if (fs.fchown(to, status.st_uid, status.st_gid) != 0 && fs.fchown(to, static_cast<uid_t>(-1), status.st_gid) != 0 &&
      (status.st_mode & S_IRWXG) != 0) {
    return Takeover::groupLost;
  }
  // A folder's default access list, which the new file may have been given, is not the original's;
  // once it is gone, the mode's group bits are the group's again, not the list's mask.
  if (fs.fremovexattr(to, accessList) != 0 && !noAttribute(errno)) {
    return Takeover::attributesLost;
  }
  if (fs.fchmod(to, status.st_mode & permissionBits) != 0) {
    return Takeover::failed;
  }
  // The access list last: it sets the group bits to its mask.
  return copyAttributes(from, to) ? Takeover::done : Takeover::attributesLost;
}

} // namespace

Takeover takeOverAttributes(const PrivateFile &file, const Place &place) {
  // Opened anew through the folder: should anything else be at the name by now, putInPlace refuses.
  const int original =
      fileSystem().openat(place.folder, place.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0);
  if (original < 0) {
    return Takeover::failed;
  }
  const Takeover result = takeOverAttributesOf(original, file.handle);
  closeKeepingError(original);
  return result;
}

bool flush(FileHandle file) { return fileSystem().fsync(file) == 0; }

bool keepPrivateFile(const Place &place, PrivateFile &file) {
  if (file.named) {
    return true;
  }
  const FileSystemCalls &fs = fileSystem();
  const std::string itself = "/proc/self/fd/" + std::to_string(file.handle);
  if (fs.linkat(AT_FDCWD, itself.c_str(), place.folder, file.name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
    // Without /proc, the file is named through its handle, which not every process may do.
    if (errno != ENOENT || fs.linkat(file.handle, "", place.folder, file.name.c_str(), AT_EMPTY_PATH) != 0) {
      return false;
    }
  }
  file.named = true;
  return true;
}

namespace {

// The same file, not changed since: a rename changes only its change time.
bool sameVersion(const FileStamp &now, const FileStamp &then) {
  return now.device == then.device && now.file == then.file && now.size == then.size && now.modified == then.modified;
}

// The file system cannot exchange two names (some network and FUSE ones).
bool exchangeUnsupported(int error) { return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP; }

} // namespace

Placement putInPlace(const PrivateFile &file, const Place &place, const FileStamp &stamp) {
  const FileSystemCalls &fs = fileSystem();
  const std::optional<FileStamp> before = stampAt(place);
  if (!before) {
    return Placement::failed;
  }
  if (*before != stamp) {
    return Placement::changed;
  }
  // The names change hands in one step, and what comes out is checked: whatever another program put
  // at the name since the check above goes back there, untouched. Where the file system cannot
  // exchange names, the new file takes the name, the check above the last guard.
  const char *from = file.name.c_str();
  const char *to = place.name.c_str();
  if (fs.renameat2(place.folder, from, place.folder, to, RENAME_EXCHANGE) != 0) {
    return exchangeUnsupported(errno) && fs.renameat2(place.folder, from, place.folder, to, 0) == 0 ? Placement::done
                                                                                                    : Placement::failed;
  }
  const std::optional<FileStamp> out = stampIn(place.folder, file.name);
  if (!out || !sameVersion(*out, stamp)) {
    const int error = errno;
    if (fs.renameat2(place.folder, from, place.folder, to, RENAME_EXCHANGE) != 0) {
      return Placement::displaced;
    }
    errno = error;
    return out ? Placement::changed : Placement::failed;
  }
  // The old content goes with its last name. Should the process die first, it is left unlocked
  // under the temporary name, where the file's next job tidies it away.
  return fs.unlinkat(place.folder, from, 0) == 0 ? Placement::done : Placement::displaced;
}

bool recordPlacement(const PrivateFile & /*file*/, const Place &place) {
  // The rename is the folder's change, made durable by syncing the folder. One the user may write
  // but not read cannot be opened to sync, and some file systems sync no folders (EINVAL): there
  // the rename is as durable as the file system makes it.
  const FileSystemCalls &fs = fileSystem();
  const int folder = fs.openat(place.folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (folder < 0) {
    return errno == EACCES;
  }
  const bool synced = fs.fsync(folder) == 0 || errno == EINVAL;
  closeKeepingError(folder);
  return synced;
}

void removeFile(const Place &place, const Path &name) { fileSystem().unlinkat(place.folder, name.c_str(), 0); }

void removeIfAbandoned(const Place &place, const Path &name) {
  const FileSystemCalls &fs = fileSystem();
  const int handle = fs.openat(place.folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0);
  if (handle >= 0) {
    // A lock that can be taken belongs to nobody: its writer is gone.
    if (fs.flock(handle, LOCK_EX | LOCK_NB) == 0) {
      fs.unlinkat(place.folder, name.c_str(), 0);
    }
    fs.close(handle);
  }
}

} // namespace orvelin::os
