#include "generated_file.h"

#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <stdexcept>
#include <unistd.h>

namespace orvelin::bench {

std::string generatedBytes(std::size_t length) {
  std::string bytes(length, '\0');
  std::mt19937_64 generator(20261207);
  for (std::size_t i = 0; i + 8 <= length; i += 8) {
    const std::uint64_t word = generator();
    std::memcpy(bytes.data() + i, &word, 8);
  }
  return bytes;
}

void writeToDisk(const std::filesystem::path &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0 || ::fsync(file) != 0) {
    throw std::runtime_error("cannot put the generated file on disk");
  }
  ::close(file);
}

} // namespace orvelin::bench
