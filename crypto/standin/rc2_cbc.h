#pragma once
// RC2 in CBC mode as the Base provider applies it to one complete message: a 16-byte key with
// 40 effective bits, an IV of eight zero bytes and PKCS#5 padding.

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

  // Encrypts data[0, plainLength) in place; data must have room for cipherLength(plainLength) bytes.
  // Returns false only when OpenSSL fails.
  [[nodiscard]] bool encrypt(unsigned char *data, std::size_t plainLength) const;

  // Decrypts data[0, cipherLength) in place, a whole number of blocks (on every core when it is long),
  // and returns the plain length once the padding checks out; nothing when it does not (or when
  // OpenSSL fails).
  [[nodiscard]] std::optional<std::size_t> decrypt(unsigned char *data, std::size_t cipherLength) const;

private:
  std::array<unsigned char, size> bytes_;
};

} // namespace orvelin::standin
