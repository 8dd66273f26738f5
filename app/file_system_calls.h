#pragma once
// The file jobs reach the file system only through this table of POSIX calls, so that tests can
// make any step fail (a full disk, a vanished file, a refused rename) without a test hook in the
// production path.

#include "crypto/call_table.h"

#include <sys/stat.h>
#include <sys/types.h>

namespace orvelin {

struct FileSystemCalls {
  int (*stat)(const char *path, struct stat *status);
  char *(*realpath)(const char *path, char *resolved);
  int (*access)(const char *path, int mode);
  int (*open)(const char *path, int flags, mode_t mode);
  int (*mkostemp)(char *pathTemplate, int flags);
  ssize_t (*read)(int file, void *buffer, size_t count);
  ssize_t (*write)(int file, const void *buffer, size_t count);
  int (*fchown)(int file, uid_t owner, gid_t group);
  int (*fchmod)(int file, mode_t mode);
  int (*flock)(int file, int operation);
  int (*fsync)(int file);
  int (*close)(int file);
  int (*rename)(const char *from, const char *to);
  int (*unlink)(const char *path);

  static const FileSystemCalls &platform();
};

inline const FileSystemCalls &fileSystem() { return CallTable<FileSystemCalls>::current(); }
using ScopedFileSystemCalls = CallTable<FileSystemCalls>::Scoped;

} // namespace orvelin
