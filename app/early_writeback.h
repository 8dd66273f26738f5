#pragma once

#include "system_files.h"

#include <cstdint>

namespace orvelin::os {

// Asks the system to start writing a file's range [offset, offset + length) to the disk now, while
// the rest is still being produced, so that the flush at the end has little left to wait for. It
// is only a head start, not a flush: it promises nothing about the disk, and its failure changes
// nothing (the flush still decides). Where the system has no such call, it does nothing.
void startWriteback(FileHandle file, std::uint64_t offset, std::uint64_t length);

} // namespace orvelin::os
