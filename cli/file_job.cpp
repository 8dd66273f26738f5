#include "file_job.h"

#include "base/unicode_text.h"
#include "file_facts.h"
#include "jobs/file_error.h"
#include "jobs/file_jobs.h"
#include "jobs/file_lookup.h"
#include "jobs/job_texts.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// The engine's boxes for bytes that do not decrypt under the password: a last block with no valid
// padding, no block at all (an empty file), or a digest that does not match the content, which
// about one wrong password in 256 gets past the padding to.
constexpr std::array<std::string_view, 3> refusals{"Error -2146893819 during CryptDecrypt!",
                                                   "Error -2146893820 during CryptDecrypt!",
                                                   "File has been corrupted since original encryption!"};
// What they mean, which their words do not say.
constexpr const char *refusalMeaning =
    "the password is wrong, or the file is not an encrypted file of this format, or it is damaged.";

// Passes each box on, noting whether one was such a refusal.
class RefusalWatch final : public MessageSink {
public:
  explicit RefusalWatch(MessageSink &next) : next_(next) {}

  void show(const std::string &text, const std::string &title, MessageStyle style) override {
    refused_ = refused_ || std::ranges::find(refusals, text) != refusals.end();
    next_.show(text, title, style);
  }
  [[nodiscard]] bool refused() const { return refused_; }

private:
  MessageSink &next_;
  bool refused_ = false;
};

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
    RefusalWatch watched(messages);
    const bool rewritten =
        encrypting ? EncryptFile(path, password, watched, progress) : DecryptFile(path, password, watched, progress);
    if (watched.refused()) {
      messages.show(std::string(refusalMeaning) + " " + fileUnchanged, {}, MessageStyle::Information);
    }
    if (rewritten && names > 1) {
      messages.show(otherNamesText(names - 1), {}, MessageStyle::Information);
    }
    return rewritten;
  };
}

} // namespace orvelin::cli
