#include "cold_cache.h"

#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace orvelin::bench {

void dropFromCache(const std::filesystem::path &path) {
  const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) {
    throw std::runtime_error("cannot open " + path.string() + " to drop it from the cache");
  }
  // Dirty pages stay in the cache whatever the advice: they must be written first.
  const bool dropped = ::fdatasync(file) == 0 && ::posix_fadvise(file, 0, 0, POSIX_FADV_DONTNEED) == 0;
  ::close(file);
  if (!dropped) {
    throw std::runtime_error("cannot drop " + path.string() + " from the cache");
  }
}

} // namespace orvelin::bench
