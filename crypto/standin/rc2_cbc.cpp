#include "rc2_cbc.h"

#include "base/other_core.h"
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

using Block = Rc2Key::Block;

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

// How many runs a call is decrypted in: one per core, but none shorter than this (a quarter of the
// engine's slice, so that each of its calls still keeps up to four cores busy).
constexpr std::size_t shortestParallelRun = std::size_t{1} << 18;

std::size_t runCount(std::size_t cipherLength) {
  const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
  return std::clamp<std::size_t>(cipherLength / shortestParallelRun, 1, cores);
}

// The chain after ciphertext[0, length): its last block, or the chain as it was when there is none.
void chainAfter(Block &chain, const unsigned char *ciphertext, std::size_t length) {
  if (length >= rc2BlockSize) {
    std::copy_n(ciphertext + length - rc2BlockSize, rc2BlockSize, chain.begin());
  }
}

} // namespace

Rc2Key::~Rc2Key() { OPENSSL_cleanse(bytes_.data(), bytes_.size()); }

bool Rc2Key::encrypt(unsigned char *data, std::size_t plainLength, bool last) {
  const CipherContext context = startCipher(bytes_, true, chain_);
  std::size_t written = 0;
  if (!context || !updateInPlace(context.get(), data, plainLength, written)) {
    return false;
  }
  if (!last) {
    // Whole blocks only: the cipher has held nothing back.
    chainAfter(chain_, data, written);
    return true;
  }
  chain_ = Block{};
  int padding = 0;
  return EVP_CipherFinal_ex(context.get(), data + written, &padding) == 1;
}

std::optional<std::size_t> Rc2Key::decrypt(unsigned char *data, std::size_t cipherLength, bool last) {
  if (cipherLength % rc2BlockSize != 0 || (last && cipherLength == 0)) {
    return std::nullopt;
  }
  // In CBC each plain block depends only on two ciphertext blocks, so once the ciphertext is known
  // the call splits into runs that decrypt on separate cores, each chained from the ciphertext
  // block before it (saved before any run overwrites it), the first from the calls before.
  const std::size_t runs = runCount(cipherLength);
  const std::size_t blocks = cipherLength / rc2BlockSize;
  std::vector<std::size_t> starts;
  std::vector<Block> ivs;
  for (std::size_t run = 0; run <= runs; ++run) {
    starts.push_back(blocks * run / runs * rc2BlockSize);
    Block iv = chain_;
    chainAfter(iv, data, starts.back());
    ivs.push_back(iv);
  }
  chain_ = last ? Block{} : ivs.back();
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
  if (!last) {
    return cipherLength;
  }
  const unsigned char pad = data[cipherLength - 1];
  if (pad < 1 || pad > rc2BlockSize ||
      !std::all_of(data + cipherLength - pad, data + cipherLength, [pad](unsigned char b) { return b == pad; })) {
    return std::nullopt;
  }
  return cipherLength - pad;
}

} // namespace orvelin::standin
