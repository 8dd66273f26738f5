#include "file_system_calls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace orvelin {
namespace {

int openFile(int folder, const char *path, int flags, mode_t mode) { return ::openat(folder, path, flags, mode); }

int controlFile(int file, int command, int argument) { return ::fcntl(file, command, argument); }

int syncRange(int file, off_t offset, off_t length, unsigned int flags) {
#ifdef __linux__
  return ::sync_file_range(file, offset, length, flags);
#else
  (void)file;
  (void)offset;
  (void)length;
  (void)flags;
  return 0;
#endif
}

int adviseOn(int file, off_t offset, off_t length, int advice) {
  const int error = ::posix_fadvise(file, offset, length, advice);
  if (error != 0) {
    errno = error;
    return -1;
  }
  return 0;
}

} // namespace

const FileSystemCalls &FileSystemCalls::platform() {
  static const FileSystemCalls calls{
      ::realpath,   ::access,    openFile,    ::fstatat,      ::read,      ::write,     ::fchown, ::fchmod,
      ::flistxattr, ::fgetxattr, ::fsetxattr, ::fremovexattr, ::flock,     controlFile, ::fsync,  ::fdatasync,
      syncRange,    adviseOn,    ::close,     ::linkat,       ::renameat2, ::unlinkat,
  };
  return calls;
}

} // namespace orvelin
