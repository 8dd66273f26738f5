#pragma once
// RC2 in CBC mode as the Base provider applies it: a 16-byte key with 40 effective bits, an IV of
// eight zero bytes and PKCS#5 padding. A message may go through in several calls: the key keeps the
// chain (the last ciphertext block so far) from one call to the next, and the last call of the
// message adds or checks the padding and starts the next message from the zero IV again. A key
// serves one message at a time.

#include <array>
#include <cstddef>
#include <optional>

namespace orvelin::standin {

inline constexpr std::size_t rc2BlockSize = 8;

class Rc2Key {
public:
  static constexpr std::size_t size = 16;
  static constexpr int effectiveBits = 40;

  explicit Rc2Key(const std::array<unsigned char, size> &bytes) : bytes_(bytes) {}
  Rc2Key(const Rc2Key &) = delete;
  Rc2Key &operator=(const Rc2Key &) = delete;
  ~Rc2Key();

  // Length of the ciphertext of a message of plainLength bytes: padding adds 1 to 8 bytes.
  static std::size_t cipherLength(std::size_t plainLength) { return (plainLength / rc2BlockSize + 1) * rc2BlockSize; }

  // Encrypts data[0, plainLength) in place, chained from the calls before. The last call of a message
  // pads it, so data must have room for cipherLength(plainLength) bytes; any other takes whole blocks
  // and adds none. Returns false only when OpenSSL fails.
  [[nodiscard]] bool encrypt(unsigned char *data, std::size_t plainLength, bool last);

  // Decrypts data[0, cipherLength) in place, a whole number of blocks (on every core when it is long),
  // chained from the calls before. Returns the plain length: all of it, or for the last call of a
  // message what is left once the padding checks out; nothing when it does not (or when OpenSSL fails).
  [[nodiscard]] std::optional<std::size_t> decrypt(unsigned char *data, std::size_t cipherLength, bool last);

  using Block = std::array<unsigned char, rc2BlockSize>;

private:
  std::array<unsigned char, size> bytes_;
  Block chain_{}; // the IV of the next call: zeros at the start of a message
};

} // namespace orvelin::standin
