#pragma once
// How a job's file transfers use the system's cache of file pages. A job reads each byte once and
// never reads what it wrote, so on a large file the cache only costs: a page of memory for every
// 4 KiB and one more copy of each byte.

#include "system_files.h"

#include <cstddef>
#include <cstdint>

namespace orvelin::os {

// Transfers that bypass the cache must start at, and be as long as, a multiple of this, and use
// memory at a multiple of it.
inline constexpr std::size_t uncachedAlignment = 4096;

// Makes the file's reads and writes bypass the cache (O_DIRECT on Linux) or use it again. False,
// changing nothing, where the system or the file system has no such mode.
bool bypassCache(FileHandle file, bool bypass);

// After a transfer failed with error: true, the file's transfers using the cache again, when the
// bypass is why it failed (a file system that refuses it part-way, or a transfer that does not
// fit its alignment), so that the transfer is to be tried again; false when the failure stands.
bool stopBypassingOver(FileHandle file, ErrorCode error);

// Each of these three fails, with the reason in os::lastError(), when the disk reports an error
// for what was written: the system reports a failed writeback to only one call, so an error met
// here may be the only word of lost bytes, and the flush at the end could then succeed.

// Returns once what was written to the file so far is on the disk, so that the flush at the end
// waits only for what came after it (a disk's own cache, or a virtual machine's host, may otherwise
// hold hundreds of megabytes of it).
bool flushWritten(FileHandle file);

// Asks the system to start writing a file's range [offset, offset + length) to the disk now, while
// the rest is still being produced, so that the flush at the end has little left to wait for. It
// is only a head start, not a flush: its success promises nothing about the disk. Where the system
// has no such call, it does nothing.
bool startWriteback(FileHandle file, std::uint64_t offset, std::uint64_t length);

// Waits until the range [offset, offset + length), whose writeback was started before, has been
// handed to the disk, then lets the system take back the memory that cached it, where fresh pages
// cost more than the copy into them (a virtual machine's host must first back them). Where the
// system has no such call it does nothing.
bool releaseWritten(FileHandle file, std::uint64_t offset, std::uint64_t length);

} // namespace orvelin::os
