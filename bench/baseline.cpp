#include "baseline.h"

#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <chrono>
#include <climits>
#include <memory>
#include <stdexcept>

namespace orvelin::bench {
namespace {

const EVP_CIPHER *rc2Cbc() {
  OSSL_PROVIDER_load(nullptr, "legacy");
  OSSL_PROVIDER_load(nullptr, "default");
  static EVP_CIPHER *cipher = EVP_CIPHER_fetch(nullptr, "RC2-CBC", nullptr);
  if (cipher == nullptr) {
    throw std::runtime_error("RC2-CBC is not available");
  }
  return cipher;
}

void md5(const std::string &bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr);
}

void rc2Encrypt(const std::string &bytes, std::string &out) {
  const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                                &EVP_CIPHER_CTX_free);
  const unsigned char key[16] = {0x5f, 0x4d, 0xcc, 0x3b, 0x5a};
  const unsigned char iv[8] = {};
  std::size_t keyBits = 40;
  const OSSL_PARAM params[] = {OSSL_PARAM_construct_size_t(OSSL_CIPHER_PARAM_RC2_KEYBITS, &keyBits),
                               OSSL_PARAM_construct_end()};
  EVP_CipherInit_ex2(context.get(), rc2Cbc(), nullptr, nullptr, 1, params);
  EVP_CipherInit_ex2(context.get(), nullptr, key, iv, 1, nullptr);
  auto *target = reinterpret_cast<unsigned char *>(out.data());
  const auto *source = reinterpret_cast<const unsigned char *>(bytes.data());
  constexpr std::size_t piece = std::size_t{1} << 30;
  int written = 0;
  for (std::size_t done = 0; done < bytes.size(); done += piece) {
    const std::size_t length = std::min(piece, bytes.size() - done);
    EVP_CipherUpdate(context.get(), target, &written, source + done, static_cast<int>(length));
    target += written;
  }
  EVP_CipherFinal_ex(context.get(), target, &written);
}

} // namespace

double baselineSeconds(const std::string &bytes) {
  std::string out(bytes.size() + 8, '\0');
  rc2Cbc();
  const auto start = std::chrono::steady_clock::now();
  md5(bytes);
  rc2Encrypt(bytes, out);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace orvelin::bench
