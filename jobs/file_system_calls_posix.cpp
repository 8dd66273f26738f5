#include "file_system_calls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace orvelin {
namespace {

int openFile(int folder, const char *path, int flags, mode_t mode) { return ::openat(folder, path, flags, mode); }

} // namespace

const FileSystemCalls &FileSystemCalls::platform() {
  static const FileSystemCalls calls{
      ::realpath,  ::access,    openFile,       ::fstatat, ::read,  ::write, ::fchown, ::fchmod,    ::flistxattr,
      ::fgetxattr, ::fsetxattr, ::fremovexattr, ::flock,   ::fsync, ::close, ::linkat, ::renameat2, ::unlinkat,
  };
  return calls;
}

} // namespace orvelin
