#include "cache_control.h"

#include "file_system_calls.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace orvelin::os {

bool bypassCache(FileHandle file, bool bypass) {
#if defined(__linux__) && defined(O_DIRECT)
  const FileSystemCalls &fs = fileSystem();
  const int flags = fs.fcntl(file, F_GETFL, 0);
  return flags >= 0 && fs.fcntl(file, F_SETFL, bypass ? flags | O_DIRECT : flags & ~O_DIRECT) == 0;
#else
  (void)file;
  (void)bypass;
  return false;
#endif
}

bool stopBypassingOver(FileHandle file, ErrorCode error) {
#if defined(__linux__) && defined(O_DIRECT)
  // A transfer that does not fit the bypass's alignment fails with EINVAL, a reason that nothing
  // else in a read or write of an open file gives.
  if (error != EINVAL) {
    return false;
  }
  const int flags = fileSystem().fcntl(file, F_GETFL, 0);
  return flags >= 0 && (flags & O_DIRECT) != 0 && bypassCache(file, false);
#else
  (void)file;
  (void)error;
  return false;
#endif
}

bool flushWritten(FileHandle file) {
  // The data alone: the file's size and times reach the disk with the flush at the end.
  return fileSystem().fdatasync(file) == 0;
}

bool startWriteback(FileHandle file, std::uint64_t offset, std::uint64_t length) {
#ifdef __linux__
  // SYNC_FILE_RANGE_WRITE alone starts the writeback of the dirty pages and returns: it neither
  // waits for them nor writes the file's metadata, so it is no substitute for fsync.
  return fileSystem().syncFileRange(file, static_cast<off_t>(offset), static_cast<off_t>(length),
                                    SYNC_FILE_RANGE_WRITE) == 0;
#else
  (void)file;
  (void)offset;
  (void)length;
  return true;
#endif
}

bool releaseWritten(FileHandle file, std::uint64_t offset, std::uint64_t length) {
#ifdef __linux__
  // Dirty pages are never dropped, so the writeback is waited for first; on a file system with
  // no writeback (tmpfs) the pages are the file and both calls leave them.
  const FileSystemCalls &fs = fileSystem();
  return fs.syncFileRange(file, static_cast<off_t>(offset), static_cast<off_t>(length),
                          SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER) == 0 &&
         fs.fadvise(file, static_cast<off_t>(offset), static_cast<off_t>(length), POSIX_FADV_DONTNEED) == 0;
#else
  (void)file;
  (void)offset;
  (void)length;
  return true;
#endif
}

} // namespace orvelin::os
