#include "harness.h"

#include "reference_cipher.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace orvelin::fuzz {

FuzzInput parseInput(const std::uint8_t *data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char *>(data), size);
  const auto take = [&rest](std::size_t count) {
    const std::string_view part = rest.substr(0, count);
    rest.remove_prefix(part.size());
    return part;
  };
  const auto byte = [&take] {
    const std::string_view part = take(1);
    return part.empty() ? std::uint8_t{0} : static_cast<std::uint8_t>(part.front());
  };
  FuzzInput input;
  input.flags = byte();
  input.password = take(byte());
  input.body = rest;
  return input;
}

std::string cipherBytes(const FuzzInput &input) {
  return (input.flags & bodyIsPlain) != 0 ? referenceEncrypt(input.password, input.body) : input.body;
}

void require(bool condition, const char *what) {
  if (!condition) {
    (void)std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
  }
}

} // namespace orvelin::fuzz
