#pragma once

#include <cstddef>
#include <string>

namespace orvelin {

// Overwrites bytes in a way the compiler may not optimise away.
void wipe(void *data, std::size_t size);

// Overwrites every byte a string's buffer holds, beyond its length too (where a short string moved
// away from leaves its characters), then empties it.
void wipe(std::string &secret);

// Wipes a secret held in a local variable when its scope ends, whichever way it ends.
class WipeOnExit {
public:
  explicit WipeOnExit(std::string &secret) : secret_(secret) {}
  WipeOnExit(const WipeOnExit &) = delete;
  WipeOnExit &operator=(const WipeOnExit &) = delete;
  ~WipeOnExit() { wipe(secret_); }

private:
  std::string &secret_;
};

} // namespace orvelin
