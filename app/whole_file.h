#pragma once

#include "base/message_sink.h"
#include "base/progress.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace orvelin {

// The whole content of the regular file at path, in one buffer with spareRoom bytes to grow in
// place, read in pieces, each reported to progress as Work::Reading. A file longer than largestSize
// is refused with tooLargeText before anything is read. Any failure has been shown as a "File
// Error" box in messages when nothing is returned. Should progress throw, the file is closed and the
// exception goes on to the caller.
std::optional<std::string> readWholeFile(const std::filesystem::path &path, std::uint64_t largestSize,
                                         const std::string &tooLargeText, std::size_t spareRoom,
                                         const ProgressReport &progress, MessageSink &messages);

} // namespace orvelin
