#include "rc2_cbc.h"

#include "crypto/other_core.h"
#include "openssl_algorithms.h"

#include <openssl/core_names.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <algorithm>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace orvelin::standin {
namespace {

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

// OpenSSL counts in int; longer messages go through in block-aligned pieces.
constexpr std::size_t largestPiece = std::size_t{1} << 30;

using Block = std::array<unsigned char, rc2BlockSize>;

CipherContext startCipher(const std::array<unsigned char, Rc2Key::size> &key, bool encrypting, const Block &iv) {
  CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
  const EVP_CIPHER *rc2 = openSslAlgorithms().rc2Cbc;
  if (!context || rc2 == nullptr) {
    return {nullptr, &EVP_CIPHER_CTX_free};
  }
  std::size_t keyBits = Rc2Key::effectiveBits;
  const OSSL_PARAM keyBitsParam[] = {OSSL_PARAM_construct_size_t(OSSL_CIPHER_PARAM_RC2_KEYBITS, &keyBits),
                                     OSSL_PARAM_construct_end()};
  // The effective bits must be in place before the key schedule runs, hence two steps.
  const int enc = encrypting ? 1 : 0;
  if (EVP_CipherInit_ex2(context.get(), rc2, nullptr, nullptr, enc, keyBitsParam) != 1 ||
      EVP_CipherInit_ex2(context.get(), nullptr, key.data(), iv.data(), enc, nullptr) != 1) {
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

// Decrypts one run of whole blocks in place, chained from iv: the ciphertext block before the run.
bool decryptRun(const std::array<unsigned char, Rc2Key::size> &key, const Block &iv, unsigned char *data,
                std::size_t length) {
  const CipherContext context = startCipher(key, false, iv);
  std::size_t written = 0;
  return context && EVP_CIPHER_CTX_set_padding(context.get(), 0) == 1 &&
         updateInPlace(context.get(), data, length, written) && written == length;
}

// How many runs a message is decrypted in: one per core, but none shorter than this.
constexpr std::size_t shortestParallelRun = std::size_t{1} << 20;

std::size_t runCount(std::size_t cipherLength) {
  const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
  return std::clamp<std::size_t>(cipherLength / shortestParallelRun, 1, cores);
}

} // namespace

Rc2Key::~Rc2Key() { OPENSSL_cleanse(bytes_.data(), bytes_.size()); }

bool Rc2Key::encrypt(unsigned char *data, std::size_t plainLength) const {
  const CipherContext context = startCipher(bytes_, true, Block{});
  std::size_t written = 0;
  int last = 0;
  return context && updateInPlace(context.get(), data, plainLength, written) &&
         EVP_CipherFinal_ex(context.get(), data + written, &last) == 1;
}

std::optional<std::size_t> Rc2Key::decrypt(unsigned char *data, std::size_t cipherLength) const {
  if (cipherLength == 0 || cipherLength % rc2BlockSize != 0) {
    return std::nullopt;
  }
  // In CBC each plain block depends only on two ciphertext blocks, so once the ciphertext is known
  // the message splits into runs that decrypt on separate cores, each chained from the ciphertext
  // block before it (saved before any run overwrites it).
  const std::size_t runs = runCount(cipherLength);
  const std::size_t blocks = cipherLength / rc2BlockSize;
  std::vector<std::size_t> starts;
  std::vector<Block> ivs;
  for (std::size_t run = 0; run <= runs; ++run) {
    starts.push_back(blocks * run / runs * rc2BlockSize);
    Block iv{};
    if (run > 0 && run < runs) {
      std::copy_n(data + starts.back() - rc2BlockSize, rc2BlockSize, iv.begin());
    }
    ivs.push_back(iv);
  }
  std::vector<std::future<bool>> others;
  for (std::size_t run = 1; run < runs; ++run) {
    others.push_back(startOnAnotherCore([this, &ivs, &starts, data, run] {
      return decryptRun(bytes_, ivs[run], data + starts[run], starts[run + 1] - starts[run]);
    }));
  }
  bool decrypted = decryptRun(bytes_, ivs[0], data, starts[1]);
  for (std::future<bool> &other : others) {
    decrypted = other.get() && decrypted;
  }
  if (!decrypted) {
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
