#pragma once

#include <cstddef>
#include <string>

namespace orvelin {

// An empty byte string with room for capacity bytes whose memory is already mapped in. A buffer of
// hundreds of megabytes otherwise takes a page fault every 4 KiB as it is first written, which
// costs more than the copy that fills it; here the pages are brought in ahead, on every core.
std::string reservedBuffer(std::size_t capacity);

} // namespace orvelin
