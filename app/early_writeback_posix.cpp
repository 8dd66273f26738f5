#include "early_writeback.h"

#include <fcntl.h>

namespace orvelin::os {

void startWriteback(FileHandle file, std::uint64_t offset, std::uint64_t length) {
#ifdef __linux__
  // SYNC_FILE_RANGE_WRITE alone starts the writeback of the dirty pages and returns: it neither
  // waits for them nor writes the file's metadata, so it is no substitute for fsync.
  (void)::sync_file_range(file, static_cast<off_t>(offset), static_cast<off_t>(length), SYNC_FILE_RANGE_WRITE);
#else
  (void)file;
  (void)offset;
  (void)length;
#endif
}

void releaseWritten(FileHandle file, std::uint64_t offset, std::uint64_t length) {
#ifdef __linux__
  // Dirty pages are never dropped, so the writeback is waited for first; on a file system with
  // no writeback (tmpfs) the pages are the file and both calls leave them.
  (void)::sync_file_range(file, static_cast<off_t>(offset), static_cast<off_t>(length),
                          SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
  (void)::posix_fadvise(file, static_cast<off_t>(offset), static_cast<off_t>(length), POSIX_FADV_DONTNEED);
#else
  (void)file;
  (void)offset;
  (void)length;
#endif
}

} // namespace orvelin::os
