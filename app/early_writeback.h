#pragma once

#include "system_files.h"

#include <cstdint>

namespace orvelin::os {

// Asks the system to start writing a file's range [offset, offset + length) to the disk now, while
// the rest is still being produced, so that the flush at the end has little left to wait for. It
// is only a head start, not a flush: it promises nothing about the disk, and its failure changes
// nothing (the flush still decides). Where the system has no such call, it does nothing.
void startWriteback(FileHandle file, std::uint64_t offset, std::uint64_t length);

// Waits until the range [offset, offset + length), whose writeback was started before, has been
// handed to the disk, then lets the system take back the memory that cached it: a job never reads
// what it wrote, and the pages come back at once for the next bytes, where fresh ones cost more
// than the copy into them (a virtual machine's host must first back them). Like startWriteback a
// hint: it neither flushes nor fails, and where the system has no such call it does nothing.
void releaseWritten(FileHandle file, std::uint64_t offset, std::uint64_t length);

} // namespace orvelin::os
