#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace orvelin {

// Overwrites bytes in a way the compiler may not optimise away.
void wipe(void *data, std::size_t size);

// Overwrites every character a string's buffer holds, beyond its length too (where a short string
// moved away from leaves its characters), then empties it.
template <typename Character> void wipe(std::basic_string<Character> &secret) {
  secret.resize(secret.capacity());
  wipe(secret.data(), secret.size() * sizeof(Character));
  secret.clear();
}

template <typename Element, std::size_t length> void wipe(std::array<Element, length> &secret) {
  wipe(secret.data(), sizeof secret);
}

// Wipes a secret held in a local variable when its scope ends, whichever way it ends.
template <typename Secret> class WipeOnExit {
public:
  explicit WipeOnExit(Secret &secret) : secret_(secret) {}
  WipeOnExit(const WipeOnExit &) = delete;
  WipeOnExit &operator=(const WipeOnExit &) = delete;
  ~WipeOnExit() { wipe(secret_); }

private:
  Secret &secret_;
};

} // namespace orvelin
