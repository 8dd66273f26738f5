#include "file_jobs.h"

#include "crypto/clsCrypto.h"
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

// The steps every job takes before the engine: a usable password, a file that may be rewritten,
// and its content, each refused with its own box.
struct JobInput {
  std::string password;
  std::string content;
};

std::optional<JobInput> gatherInput(const QString &path, const QString &password, std::uint64_t largestSize,
                                    const QString &tooLargeText, std::size_t spareRoom) {
  std::optional<std::string> passwordBytes = passwordForService(password);
  if (!passwordBytes || !checkReplaceable(path)) {
    return std::nullopt;
  }
  std::optional<std::string> content = readWholeFile(path, largestSize, tooLargeText, spareRoom);
  if (!content) {
    return std::nullopt;
  }
  return JobInput{std::move(*passwordBytes), std::move(*content)};
}

} // namespace

bool EncryptFile(const QString &path, const QString &password) {
  std::optional<JobInput> input =
      gatherInput(path, password, largestPlainFile, tooLargeToEncrypt(path), clsCrypto::sealHeaderSize);
  if (!input) {
    return false;
  }
  clsCrypto engine;
  engine.Password(std::move(input->password));
  engine.InBuffer(std::move(input->content));
  if (!engine.HashFile() || !engine.GeneratePasswordKey() || !engine.EncryptFileData()) {
    return false;
  }
  engine.DestroySessionKey();
  return !engine.OutBuffer().empty() && replaceFileContent(path, engine.OutBuffer());
}

bool DecryptFile(const QString &path, const QString &password) {
  std::optional<JobInput> input = gatherInput(path, password, largestEncryptedFile, tooLargeToDecrypt(path), 0);
  if (!input) {
    return false;
  }
  clsCrypto engine;
  engine.Password(std::move(input->password));
  engine.InBuffer(std::move(input->content));
  if (!engine.GeneratePasswordKey() || !engine.DecryptFileData()) {
    return false;
  }
  engine.DestroySessionKey();
  // Empty content is a result too: an encrypted empty file becomes an empty file again.
  return replaceFileContent(path, engine.OutBuffer());
}

} // namespace orvelin
