#include "password_source.h"

#include "base/message_sink.h"
#include "base/secure_wipe.h"
#include "base/unicode_text.h"
#include "exit_status.h"
#include "jobs/job_texts.h"
#include "jobs/password_encoding.h"

#include <utility>

namespace orvelin::cli {
namespace {

constexpr const char *noFileChanged = "; no file was changed";

// What a source says when it gives no line, and the status it then ends with.
struct SourceTexts {
  std::string unreadable;
  std::string empty;
  int failure;
};

PasswordOutcome outcomeOf(PasswordInput input, const SourceTexts &texts) {
  if (auto *password = std::get_if<Password>(&input)) {
    return {std::move(*password), {}, 0};
  }
  switch (std::get<PasswordProblem>(input)) {
  case PasswordProblem::Missing:
    return {std::nullopt, texts.unreadable, texts.failure};
  case PasswordProblem::Empty:
    return {std::nullopt, texts.empty, texts.failure};
  case PasswordProblem::TooLong:
    return {std::nullopt, "the password is longer than " + std::to_string(longestPassword) + " bytes" + noFileChanged,
            texts.failure};
  case PasswordProblem::NotUtf8:
    return {std::nullopt, std::string("the password is not valid UTF-8") + noFileChanged, texts.failure};
  case PasswordProblem::Mismatch:
    break;
  }
  return {std::nullopt, std::string("the passwords do not match") + noFileChanged, texts.failure};
}

PasswordOutcome fromSource(const Options &options) {
  switch (options.passwordSource) {
  case PasswordSource::File: {
    const std::string named = "the password file '" + options.passwordFile + "'";
    return outcomeOf(passwordFromFile(pathFromUtf8(options.passwordFile)),
                     {"cannot read " + named, named + " is empty" + noFileChanged, usageError});
  }
  case PasswordSource::StandardInput:
    return outcomeOf(passwordFromStandardInput(),
                     {"no password on standard input", "no password on standard input", usageError});
  case PasswordSource::Terminal:
    break;
  }
  if (!terminalAvailable()) {
    return {std::nullopt, "no terminal to ask the password on; use --password-file or --password-stdin", usageError};
  }
  const std::string none = std::string("no password was given") + noFileChanged;
  return outcomeOf(
      passwordFromTerminal(options.direction == Direction::Encrypt ? Confirmation::Twice : Confirmation::Once),
      {none, none, someFileFailed});
}

// Keeps the text of the box a refused password gets.
class Refusal final : public MessageSink {
public:
  void show(const std::string &text, const std::string & /*title*/, MessageStyle /*style*/) override { text_ = text; }
  [[nodiscard]] const std::string &text() const { return text_; }

private:
  std::string text_;
};

} // namespace

PasswordOutcome obtainPassword(const Options &options) {
  PasswordOutcome outcome = fromSource(options);
  if (!outcome.password) {
    return outcome;
  }
  if (outcome.password->text().empty()) {
    const JobTexts &texts = options.direction == Direction::Encrypt ? encryptionTexts : decryptionTexts;
    return {std::nullopt, texts.passwordMissing, someFileFailed};
  }
  // Each job would refuse it in the same words: said once instead of once per file.
  std::string bytes;
  const WipeOnExit wipeBytes(bytes);
  Refusal refusal;
  if (!passwordForService(outcome.password->text(), bytes, refusal)) {
    return {std::nullopt, refusal.text() + " No file was changed.", someFileFailed};
  }
  return outcome;
}

} // namespace orvelin::cli
