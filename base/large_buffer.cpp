#include "large_buffer.h"

#include "other_core.h"

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <future>
#include <thread>
#include <vector>
#endif

namespace orvelin {
namespace {

#ifdef __linux__
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23 // Linux 5.14; older kernels refuse it and the pages come in as written
#endif

// Below this, faulting pages in as they are written costs too little to be worth threads.
constexpr std::size_t smallestPrefaulted = std::size_t{16} << 20;

// Each call holds the process's memory map for as long as it zeroes its pages; 2 MiB a call lets
// the other threads map memory in between (the window's thread would otherwise wait for a whole
// buffer of hundreds of megabytes, a visible stall).
constexpr std::size_t populatedPerCall = std::size_t{2} << 20;

void populate(char *start, std::size_t length) {
  for (std::size_t done = 0; done < length; done += populatedPerCall) {
    ::madvise(start + done, std::min(populatedPerCall, length - done), MADV_POPULATE_WRITE);
  }
}

// In the system's own pages, not huge ones: on a virtual machine whose host takes back the guest's
// free memory, a huge page is a block the host no longer backs, and faulting 256 MiB of them in
// took 0.55-0.67 s after a few idle seconds, against 0.09-0.11 s in 4 KiB pages.
void prefault(const char *data, std::size_t length) {
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
  const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + length) / page * page;
  if (end <= first) {
    return;
  }
  const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
  const std::size_t pages = (end - first) / page;
  std::vector<std::future<void>> others;
  for (std::size_t part = 1; part < cores; ++part) {
    const std::uintptr_t from = first + pages * part / cores * page;
    const std::uintptr_t to = first + pages * (part + 1) / cores * page;
    others.push_back(startOnAnotherCore([from, to] { populate(reinterpret_cast<char *>(from), to - from); }));
  }
  populate(reinterpret_cast<char *>(first), pages / cores * page);
  for (std::future<void> &other : others) {
    other.get();
  }
}
#endif

} // namespace

std::string reservedBuffer(std::size_t capacity) {
  std::string buffer;
  buffer.reserve(capacity);
#ifdef __linux__
  if (capacity >= smallestPrefaulted) {
    prefault(buffer.data(), capacity);
  }
#endif
  return buffer;
}

} // namespace orvelin
