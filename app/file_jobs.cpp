#include "file_jobs.h"

#include "crypto/clsCrypto.h"
#include "crypto/engine_sequences.h"
#include "crypto/secure_wipe.h"
#include "file_error.h"
#include "file_replacement.h"
#include "password_encoding.h"
#include "whole_file.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace orvelin {
namespace {

// The sealed payload adds 18 bytes and the cipher's padding up to 8; the ciphertext must stay
// below 2^30 bytes, the largest the engine's signed 32-bit working length can double.
constexpr std::uint64_t largestPlainFile = (std::uint64_t{1} << 30) - 27;
// The engine counts a file's bytes in a signed 32-bit length.
constexpr std::uint64_t largestEncryptedFile = (std::uint64_t{1} << 31) - 1;
constexpr std::uint64_t mebibyte = std::uint64_t{1} << 20;

std::string tooLargeToEncrypt(const std::filesystem::path &path) {
  return cannot("encrypt", path) + "the file is too large. Files of up to " + std::to_string(largestPlainFile) +
         " bytes can be encrypted.";
}

std::string tooLargeToDecrypt(const std::filesystem::path &path) {
  return cannot("decrypt", path) + "the file is too large. Encrypted files are smaller than " +
         std::to_string(largestEncryptedFile + 1) + " bytes.";
}

// A job holds the file's content and its result at once: about twice the file's size.
std::string notEnoughMemory(const char *action, const std::filesystem::path &path) {
  std::error_code unknown;
  const std::uintmax_t size = std::filesystem::file_size(path, unknown);
  const std::uint64_t needed = unknown ? 0 : (2 * std::uint64_t{size} + mebibyte - 1) / mebibyte;
  return cannot(action, path) + "there is not enough memory; the job needs about " +
         std::to_string(std::max<std::uint64_t>(needed, 1)) + " MiB. The file has not been changed.";
}

struct JobKind {
  const char *action;
  std::uint64_t largestSize;
  std::string (*tooLargeText)(const std::filesystem::path &path);
  std::size_t spareRoom; // bytes the engine may grow the content by in place
  bool (*engineSteps)(clsCrypto &engine);
};

// Every job: a usable password, a file that may be rewritten and its content, each refused with
// its own box; then the engine's steps, and the file replaced once they have all succeeded.
bool runJob(const JobKind &kind, const std::filesystem::path &path, std::u16string_view password) {
  std::string passwordBytes;
  const WipeOnExit wipePassword(passwordBytes);
  try {
    if (!passwordForService(password, passwordBytes) || !checkReplaceable(path)) {
      return false;
    }
    std::optional<std::string> content = readWholeFile(path, kind.largestSize, kind.tooLargeText(path), kind.spareRoom);
    if (!content) {
      return false;
    }
    clsCrypto engine;
    engine.Password(passwordBytes);
    engine.InBuffer(std::move(*content));
    return kind.engineSteps(engine) && replaceFileContent(path, engine.OutBuffer());
  } catch (const std::bad_alloc &) {
    // The buffers are gone by now, so the box has the memory it needs; the file was never touched.
    return reportFileError(notEnoughMemory(kind.action, path));
  }
}

// A file is only ever rewritten with something: an encrypted file is never empty.
bool encryptionSteps(clsCrypto &engine) { return runEncryption(engine) && !engine.OutBuffer().empty(); }

// Empty content is a result too: an encrypted empty file becomes an empty file again.
bool decryptionSteps(clsCrypto &engine) { return runDecryption(engine); }

} // namespace

bool EncryptFile(const std::filesystem::path &path, std::u16string_view password) {
  return runJob({"encrypt", largestPlainFile, tooLargeToEncrypt, clsCrypto::sealHeaderSize, encryptionSteps}, path,
                password);
}

bool DecryptFile(const std::filesystem::path &path, std::u16string_view password) {
  return runJob({"decrypt", largestEncryptedFile, tooLargeToDecrypt, 0, decryptionSteps}, path, password);
}

} // namespace orvelin
