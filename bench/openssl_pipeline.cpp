#include "openssl_pipeline.h"

#include "child_job.h"
#include "cli_run.h"
#include "generated_file.h"
#include "median.h"
#include "scratch_folder.h"

// The low-level RC2 key schedule is deprecated in OpenSSL 3; it is the one way to see the expanded
// key bytes that the equivalent key below is worked out from.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/evp.h>
#include <openssl/rc2.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace orvelin::bench {
namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<unsigned char>;
using Expanded = std::array<unsigned char, 128>;

// The RC2 key table after RC2_set_key(key, bits): its 64 16-bit words as 128 bytes, low byte first.
Expanded keyTable(const Bytes &key, int bits) {
  RC2_KEY schedule;
  RC2_set_key(&schedule, static_cast<int>(key.size()), key.data(), bits);
  Expanded bytes{};
  for (std::size_t word = 0; word < 64; ++word) {
    bytes[2 * word] = static_cast<unsigned char>(schedule.data[word] & 0xff);
    bytes[2 * word + 1] = static_cast<unsigned char>((schedule.data[word] >> 8) & 0xff);
  }
  return bytes;
}

// The inverse of RC2's permutation PITABLE. With 1024 effective bits the reduction only passes the
// first byte through the table: a one-byte key b leaves PITABLE[b] there.
std::array<unsigned char, 256> inversePermutation() {
  std::array<unsigned char, 256> inverse{};
  for (unsigned value = 0; value < 256; ++value) {
    inverse[keyTable({static_cast<unsigned char>(value)}, 1024)[0]] = static_cast<unsigned char>(value);
  }
  return inverse;
}

// openssl enc cannot set RC2's effective key bits apart from the key's length, and the service's key
// is 16 bytes (40 bits of the password's digest and 11 zero bytes) with 40 effective bits. With 40
// effective bits the schedule depends only on bytes 123..127 of the expanded key, and the expansion
// of a 5-byte key (rc2-40-cbc) can be run backwards from any such five: that gives the 5-byte key
// with the very same schedule.
Bytes equivalentFortyBitKey(const std::string &password) {
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int digestLength = 0;
  EVP_Digest(password.data(), password.size(), digest.data(), &digestLength, EVP_md5(), nullptr);
  Bytes serviceKey(16, 0);
  std::copy_n(digest.begin(), 5, serviceKey.begin());
  // With 1024 bits the table holds the expansion itself from its second byte on.
  Expanded expanded = keyTable(serviceKey, 1024);
  const std::array<unsigned char, 256> inverse = inversePermutation();
  for (std::size_t i = expanded.size() - 1; i >= 5; --i) {
    expanded[i - 5] = static_cast<unsigned char>(inverse[expanded[i]] - expanded[i - 1]);
  }
  Bytes key(expanded.begin(), expanded.begin() + 5);
  if (keyTable(key, 40) != keyTable(serviceKey, 40)) {
    throw std::runtime_error("no 40-bit key has the service key's schedule");
  }
  return key;
}

std::string hex(const Bytes &bytes) {
  std::string text;
  for (const unsigned char byte : bytes) {
    std::array<char, 3> digits{};
    (void)std::snprintf(digits.data(), digits.size(), "%02x", byte);
    text += digits.data();
  }
  return text;
}

// The sealed payload "16" + MD5(content) + content, enciphered, on the disk.
constexpr const char *pipeline = R"({ printf 16; openssl dgst -md5 -binary "$1"; cat "$1"; } |
openssl enc -e -rc2-40-cbc -provider legacy -provider default -K "$3" -iv 0000000000000000 -out "$2" &&
sync "$2")";

std::string contentOf(const fs::path &file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

std::string pipelineKey() { return hex(equivalentFortyBitKey(benchPassword)); }

double pipelineSeconds(const fs::path &in, const fs::path &out, const std::string &key) {
  return processSeconds({"/bin/sh", "-c", pipeline, "sh", in.string(), out.string(), key},
                        "the openssl pipeline failed");
}

double cliOpensslRatio(const std::string &cli, const std::string &plain, int runs) {
  const ScratchFolder scratch("orvelin-bench-openssl");
  const fs::path &folder = scratch.path();
  const fs::path password = folder / "password.txt";
  std::ofstream(password) << benchPassword << '\n';
  const fs::path input = folder / "plain.bin";
  const fs::path output = folder / "openssl.bin";
  const fs::path rewritten = folder / "orvelin.bin";
  const std::string key = pipelineKey();
  writeToDisk(input, plain);
  std::vector<double> openssl;
  std::vector<double> orvelin;
  for (int run = 0; run < runs; ++run) {
    writeToDisk(rewritten, plain);
    ::sync(); // neither is charged for what other writers left behind
    orvelin.push_back(cliSeconds(cli, "encrypt", password, {rewritten}));
    ::sync();
    openssl.push_back(pipelineSeconds(input, output, key));
    if (run == 0 && contentOf(output) != contentOf(rewritten)) {
      throw std::runtime_error("the openssl pipeline did not write the bytes orvelin-cli writes");
    }
  }
  return median(openssl) / median(orvelin);
}

} // namespace orvelin::bench
