#include "cache_control.h"

namespace orvelin::os {

// Unbuffered transfers are chosen when a file is opened, and the jobs open theirs cached.
bool bypassCache(FileHandle /*file*/, bool /*bypass*/) { return false; }

bool stopBypassingOver(FileHandle /*file*/, ErrorCode /*error*/) { return false; }

// The jobs' writes go through the cache, whose pages the flush at the end waits for.
bool flushWritten(FileHandle /*file*/) { return true; }

// Windows writes a file's cached pages on its own schedule; FlushFileBuffers at the end waits for them.
bool startWriteback(FileHandle /*file*/, std::uint64_t /*offset*/, std::uint64_t /*length*/) { return true; }

// The cache manager reuses a written file's pages on its own.
bool releaseWritten(FileHandle /*file*/, std::uint64_t /*offset*/, std::uint64_t /*length*/) { return true; }

} // namespace orvelin::os
