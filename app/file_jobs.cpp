#include "file_jobs.h"

#include "crypto/clsCrypto.h"
#include "crypto/secure_wipe.h"
#include "file_error.h"
#include "file_replacement.h"
#include "password_encoding.h"
#include "whole_file.h"

#include <cstdint>

namespace orvelin {
namespace {

// The sealed payload adds 18 bytes and the cipher's padding up to 8; the ciphertext must stay
// below 2^30 bytes, the largest the engine's signed 32-bit working length can double.
constexpr std::uint64_t largestPlainFile = (std::uint64_t{1} << 30) - 27;
// The engine counts a file's bytes in a signed 32-bit length.
constexpr std::uint64_t largestEncryptedFile = (std::uint64_t{1} << 31) - 1;

QString tooLargeToEncrypt(const QString &path) {
  return QStringLiteral("Cannot encrypt \"%1\": the file is too large. Files of up to %2 bytes can be encrypted.")
      .arg(path)
      .arg(largestPlainFile);
}

QString tooLargeToDecrypt(const QString &path) {
  return QStringLiteral("Cannot decrypt \"%1\": the file is too large. Encrypted files are smaller than %2 bytes.")
      .arg(path)
      .arg(largestEncryptedFile + 1);
}

// Every job: a usable password, a file that may be rewritten and its content, each refused with
// its own box; then the engine's steps, and the file replaced once they have all succeeded.
struct JobLimits {
  std::uint64_t largestSize;
  QString tooLargeText;
  std::size_t spareRoom;
};

template <typename EngineSteps>
bool runJob(const QString &path, const QString &password, const JobLimits &limits, EngineSteps engineSteps) {
  std::string passwordBytes;
  const WipeOnExit wipePassword(passwordBytes);
  if (!passwordForService(password, passwordBytes) || !checkReplaceable(path)) {
    return false;
  }
  std::optional<std::string> content = readWholeFile(path, limits.largestSize, limits.tooLargeText, limits.spareRoom);
  if (!content) {
    return false;
  }
  clsCrypto engine;
  engine.Password(passwordBytes);
  engine.InBuffer(std::move(*content));
  return engineSteps(engine) && replaceFileContent(path, engine.OutBuffer());
}

} // namespace

bool EncryptFile(const QString &path, const QString &password) {
  return runJob(path, password, {largestPlainFile, tooLargeToEncrypt(path), clsCrypto::sealHeaderSize},
                [](clsCrypto &engine) {
                  if (!engine.HashFile() || !engine.GeneratePasswordKey() || !engine.EncryptFileData()) {
                    return false;
                  }
                  engine.DestroySessionKey();
                  return !engine.OutBuffer().empty();
                });
}

bool DecryptFile(const QString &path, const QString &password) {
  return runJob(path, password, {largestEncryptedFile, tooLargeToDecrypt(path), 0}, [](clsCrypto &engine) {
    if (!engine.GeneratePasswordKey() || !engine.DecryptFileData()) {
      return false;
    }
    engine.DestroySessionKey();
    // Empty content is a result too: an encrypted empty file becomes an empty file again.
    return true;
  });
}

} // namespace orvelin
