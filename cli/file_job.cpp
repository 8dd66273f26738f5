#include "file_job.h"

#include "app/file_error.h"
#include "app/file_jobs.h"
#include "app/file_lookup.h"
#include "app/job_texts.h"
#include "base/unicode_text.h"
#include "file_facts.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvelin::cli {
namespace {

// Encrypted, the password file's only written copy of the password would be ciphertext that only
// that password opens.
constexpr const char *passwordFileSkipped = "skipped: this is the password file, which orvelin-cli never rewrites "
                                            "(encrypted, it would be locked by the password it holds).";

// The warning for a file that had other names (hard links) besides the one rewritten.
std::string otherNamesText(std::uint64_t others) {
  return "warning: the file has " + std::to_string(others) +
         (others == 1 ? " other name (a hard link), which keeps" : " other names (hard links), which keep") +
         " its old content; only this name holds the new one";
}

const char *notAFileText(NotAFile kind) {
  switch (kind) {
  case NotAFile::Folder:
    return "it is a folder, not a file";
  case NotAFile::Fifo:
    return "it is a FIFO (a named pipe), not a file";
  case NotAFile::Device:
    return "it is a device, not a file";
  case NotAFile::Socket:
    break;
  }
  return "it is a socket, not a file";
}

} // namespace

BatchJob fileJob(const Options &options, std::u16string_view password) {
  const bool encrypting = options.direction == Direction::Encrypt;
  std::optional<FileIdentity> passwordFile;
  if (options.passwordSource == PasswordSource::File) {
    passwordFile = identityOf(pathFromUtf8(options.passwordFile));
  }
  return [encrypting, password, passwordFile](const std::filesystem::path &path, MessageSink &messages,
                                              const JobProgress &progress) {
    if (passwordFile && identityOf(path) == passwordFile) {
      messages.show(std::string(passwordFileSkipped) + " " + fileUnchanged, {}, MessageStyle::Information);
      return false;
    }
    // Each file was named on purpose, so a hidden one is rewritten too.
    if (!namesExistingFile(path, HiddenFiles::Found)) {
      messages.show(missingFileText, missingFileTitle, MessageStyle::Critical);
      // The window's box says "missing" of what is there too; the command line says what it is.
      if (const std::optional<NotAFile> kind = notAFileAt(path)) {
        messages.show(notAFileText(*kind), {}, MessageStyle::Information);
      }
      return false;
    }
    // The replacement takes this name only: the file's other names keep what they held.
    const std::uint64_t names = namesOf(path);
    const bool rewritten =
        encrypting ? EncryptFile(path, password, messages, progress) : DecryptFile(path, password, messages, progress);
    if (rewritten && names > 1) {
      messages.show(otherNamesText(names - 1), {}, MessageStyle::Information);
    }
    return rewritten;
  };
}

} // namespace orvelin::cli
