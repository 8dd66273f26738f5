#pragma once
// Progress of long work, for a caller that shows it. Reports come from the thread doing the work,
// once for each piece of it that is done (a slice the service has worked through, a piece read or
// written), so a caller on another thread must hand them over itself.

#include <cstdint>
#include <functional>

namespace orvelin {

// What the work is busy with.
enum class Work { Reading, Hashing, Encrypting, Decrypting, Writing };

// done of total bytes of that work are through; done grows to total, reported last.
using ProgressReport = std::function<void(Work work, std::uint64_t done, std::uint64_t total)>;

} // namespace orvelin
