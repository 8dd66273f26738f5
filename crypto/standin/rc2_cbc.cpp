#include "rc2_cbc.h"

#include "openssl_algorithms.h"

#include <openssl/core_names.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace orvelin::standin {
namespace {

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

// OpenSSL counts in int; longer messages go through in block-aligned pieces.
constexpr std::size_t largestPiece = std::size_t{1} << 30;

CipherContext startCipher(const std::array<unsigned char, Rc2Key::size> &key, bool encrypting) {
  CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
  const EVP_CIPHER *rc2 = openSslAlgorithms().rc2Cbc;
  if (!context || rc2 == nullptr) {
    return {nullptr, &EVP_CIPHER_CTX_free};
  }
  const std::array<unsigned char, rc2BlockSize> zeroIv{};
  std::size_t keyBits = Rc2Key::effectiveBits;
  const OSSL_PARAM keyBitsParam[] = {OSSL_PARAM_construct_size_t(OSSL_CIPHER_PARAM_RC2_KEYBITS, &keyBits),
                                     OSSL_PARAM_construct_end()};
  // The effective bits must be in place before the key schedule runs, hence two steps.
  const int enc = encrypting ? 1 : 0;
  if (EVP_CipherInit_ex2(context.get(), rc2, nullptr, nullptr, enc, keyBitsParam) != 1 ||
      EVP_CipherInit_ex2(context.get(), nullptr, key.data(), zeroIv.data(), enc, nullptr) != 1) {
    return {nullptr, &EVP_CIPHER_CTX_free};
  }
  return context;
}

bool updateInPlace(EVP_CIPHER_CTX *context, unsigned char *data, std::size_t length, std::size_t &written) {
  written = 0;
  for (std::size_t done = 0; done < length;) {
    const std::size_t piece = std::min(largestPiece, length - done);
    int out = 0;
    if (EVP_CipherUpdate(context, data + written, &out, data + done, static_cast<int>(piece)) != 1) {
      return false;
    }
    done += piece;
    written += static_cast<std::size_t>(out);
  }
  return true;
}

} // namespace

Rc2Key::~Rc2Key() { OPENSSL_cleanse(bytes_.data(), bytes_.size()); }

bool Rc2Key::encrypt(unsigned char *data, std::size_t plainLength) const {
  const CipherContext context = startCipher(bytes_, true);
  std::size_t written = 0;
  int last = 0;
  return context && updateInPlace(context.get(), data, plainLength, written) &&
         EVP_CipherFinal_ex(context.get(), data + written, &last) == 1;
}

std::optional<std::size_t> Rc2Key::decrypt(unsigned char *data, std::size_t cipherLength) const {
  const CipherContext context = startCipher(bytes_, false);
  std::size_t written = 0;
  if (!context || EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1 ||
      !updateInPlace(context.get(), data, cipherLength, written) || written != cipherLength || cipherLength == 0) {
    return std::nullopt;
  }
  const unsigned char pad = data[cipherLength - 1];
  if (pad < 1 || pad > rc2BlockSize ||
      !std::all_of(data + cipherLength - pad, data + cipherLength, [pad](unsigned char b) { return b == pad; })) {
    return std::nullopt;
  }
  return cipherLength - pad;
}

} // namespace orvelin::standin
