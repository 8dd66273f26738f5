#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace orvelin {

// The whole content of the regular file at path, read in one piece, in a buffer with spareRoom bytes
// to grow in place. A file longer than largestSize is refused with tooLargeText before anything is
// read. Any failure has been shown as a "File Error" box when nothing is returned.
std::optional<std::string> readWholeFile(const std::filesystem::path &path, std::uint64_t largestSize,
                                         const std::string &tooLargeText, std::size_t spareRoom);

} // namespace orvelin
