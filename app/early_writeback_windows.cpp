#include "early_writeback.h"

namespace orvelin::os {

// Windows writes a file's cached pages on its own schedule; FlushFileBuffers at the end waits for them.
void startWriteback(FileHandle /*file*/, std::uint64_t /*offset*/, std::uint64_t /*length*/) {}

// The cache manager reuses a written file's pages on its own.
void releaseWritten(FileHandle /*file*/, std::uint64_t /*offset*/, std::uint64_t /*length*/) {}

} // namespace orvelin::os
