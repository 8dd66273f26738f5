#include "reference_cipher.h"

// The low-level functions are deprecated in OpenSSL 3; they are used here because they share no
// code path with the stand-in's.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/md5.h>
#include <openssl/rc2.h>

#include <algorithm>
#include <array>

namespace orvelin::fuzz {
namespace {

constexpr std::size_t blockSize = 8;

const unsigned char *bytesOf(std::string_view text) { return reinterpret_cast<const unsigned char *>(text.data()); }

RC2_KEY passwordKey(std::string_view password) {
  const std::string digest = md5(password);
  std::array<unsigned char, 16> material{};
  std::copy_n(digest.begin(), 5, material.begin());
  RC2_KEY key;
  RC2_set_key(&key, static_cast<int>(material.size()), material.data(), 40);
  return key;
}

std::string cbc(std::string_view password, std::string_view in, int direction) {
  RC2_KEY key = passwordKey(password);
  std::array<unsigned char, blockSize> iv{};
  std::string out(in.size(), '\0');
  RC2_cbc_encrypt(bytesOf(in), reinterpret_cast<unsigned char *>(out.data()), static_cast<long>(in.size()), &key,
                  iv.data(), direction);
  return out;
}

} // namespace

std::string md5(std::string_view bytes) {
  std::array<unsigned char, MD5_DIGEST_LENGTH> digest{};
  MD5(bytesOf(bytes), bytes.size(), digest.data());
  return {digest.begin(), digest.end()};
}

std::string referenceEncrypt(std::string_view password, std::string_view plain) {
  const std::size_t pad = blockSize - plain.size() % blockSize;
  std::string padded(plain);
  padded.append(pad, static_cast<char>(pad));
  return cbc(password, padded, RC2_ENCRYPT);
}

std::optional<std::string> referenceDecrypt(std::string_view password, std::string_view cipher) {
  if (cipher.empty() || cipher.size() % blockSize != 0) {
    return std::nullopt;
  }
  std::string plain = cbc(password, cipher, RC2_DECRYPT);
  const auto pad = static_cast<unsigned char>(plain.back());
  if (pad < 1 || pad > blockSize ||
      std::any_of(plain.end() - pad, plain.end(), [pad](char b) { return static_cast<unsigned char>(b) != pad; })) {
    return std::nullopt;
  }
  plain.resize(plain.size() - pad);
  return plain;
}

} // namespace orvelin::fuzz
