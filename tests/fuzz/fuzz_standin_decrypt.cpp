// The stand-in's CryptDecrypt on arbitrary bytes, held to the reference cipher: FALSE with
// NTE_BAD_LEN (empty) or NTE_BAD_DATA and the length untouched, or TRUE having removed 1..8 equal
// padding bytes and left the reference plaintext. Inputs flagged for it are repeated to 2 MiB or more,
// where the stand-in decrypts on several threads.

#include "harness.h"
#include "reference_cipher.h"

#include "crypto/cryptoapi.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

namespace {

using namespace orvelin::fuzz;

// The flags that ask for the repetition, with either form of body: one value, and not one the
// mutators favour (0x00, 0xFF), since such a run costs milliseconds instead of microseconds.
constexpr std::uint8_t repeatFlag = 0xA4;
// Long enough for the stand-in to split it into runs on several threads.
constexpr std::size_t repeatedLength = std::size_t{2} << 20;

HCRYPTPROV provider() {
  static const HCRYPTPROV handle = [] {
    HCRYPTPROV acquired = 0;
    require(CryptAcquireContextA(&acquired, "", MS_DEF_PROV_A, PROV_RSA_FULL, 0) != FALSE, "no context");
    return acquired;
  }();
  return handle;
}

HCRYPTKEY deriveKey(const std::string &password) {
  HCRYPTHASH hash = 0;
  HCRYPTKEY key = 0;
  require(CryptCreateHash(provider(), CALG_MD5, 0, 0, &hash) != FALSE &&
              CryptHashData(hash, reinterpret_cast<const BYTE *>(password.data()), static_cast<DWORD>(password.size()),
                            0) != FALSE &&
              CryptDeriveKey(provider(), CALG_RC2, hash, 0, &key) != FALSE && CryptDestroyHash(hash) != FALSE,
          "the key could not be derived");
  return key;
}

// Whole copies keep the last two blocks, and with them whether the padding is valid; the body's
// length moves the total, and with it where the threads' runs meet.
std::string repeated(std::string cipher, std::uint8_t flags) {
  if ((flags & ~bodyIsPlain) != repeatFlag || cipher.empty()) {
    return cipher;
  }
  const std::size_t total = (repeatedLength + cipher.size() - 1) / cipher.size() * cipher.size();
  cipher.reserve(total);
  while (cipher.size() * 2 <= total) {
    cipher += cipher;
  }
  cipher.append(cipher, 0, total - cipher.size());
  return cipher;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const FuzzInput input = parseInput(data, size);
  const std::string cipher = repeated(cipherBytes(input), input.flags);
  const std::optional<std::string> expected = referenceDecrypt(input.password, cipher);

  // A buffer of exactly the input's size, so that ASan sees any access beyond it.
  const std::size_t length = cipher.size();
  const std::unique_ptr<BYTE[]> buffer(new BYTE[length]);
  std::memcpy(buffer.get(), cipher.data(), length);
  const HCRYPTKEY key = deriveKey(input.password);
  auto dataLength = static_cast<DWORD>(length);
  SetLastError(0);
  const BOOL decrypted = CryptDecrypt(key, 0, TRUE, 0, buffer.get(), &dataLength);
  const DWORD error = GetLastError();
  require(CryptDestroyKey(key) != FALSE, "the key could not be destroyed");

  if (decrypted == FALSE) {
    require(!expected, "a valid ciphertext was refused");
    require(dataLength == length, "a refusal changed the length");
    require(error == (length == 0 ? NTE_BAD_LEN : NTE_BAD_DATA), "a refusal with the wrong error code");
    return 0;
  }
  require(expected.has_value(), "an invalid ciphertext was accepted");
  require(dataLength <= length && dataLength + 8 >= length, "the length changed by more than a block");
  const BYTE pad = buffer[length - 1];
  require(length - dataLength == pad &&
              std::all_of(buffer.get() + dataLength, buffer.get() + length, [pad](BYTE b) { return b == pad; }),
          "the bytes removed are not valid padding");
  require(expected->size() == dataLength && std::memcmp(expected->data(), buffer.get(), dataLength) == 0,
          "the plaintext differs from the reference");
  return 0;
}
