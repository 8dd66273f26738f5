#include "file_system_calls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace orvelin {
namespace {

int openFile(const char *path, int flags, mode_t mode) { return ::open(path, flags, mode); }

} // namespace

const FileSystemCalls &FileSystemCalls::platform() {
  static const FileSystemCalls calls{
      ::stat,   ::realpath, ::access, openFile, ::read,   ::write,  ::fchown,
      ::fchmod, ::flock,    ::fsync,  ::close,  ::linkat, ::rename, ::unlink,
  };
  return calls;
}

} // namespace orvelin
