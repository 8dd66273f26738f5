#include "file_system_calls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace orvelin {
namespace {

int openFile(const char *path, int flags, mode_t mode) { return ::open(path, flags, mode); }

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
      ::stat,      ::realpath, ::access,    openFile,  ::read,   ::write, ::fchown, ::fchmod, ::flock,
      controlFile, ::fsync,    ::fdatasync, syncRange, adviseOn, ::close, ::linkat, ::rename, ::unlink,
  };
  return calls;
}

} // namespace orvelin
