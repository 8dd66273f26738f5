// orvelin-cli: the file jobs of the window program for scripts, servers without a display and
// many files at once. Every message the window shows in a box becomes one line on standard error.

#include "app/file_jobs.h"
#include "app/file_lookup.h"
#include "app/job_texts.h"
#include "cli_options.h"
#include "crypto/message_box.h"
#include "password_input.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include <exception>
#include <iostream>

namespace orvelin::cli {
namespace {

constexpr int someFileFailed = 1;
constexpr int usageError = 2;

struct PasswordOutcome {
  std::optional<Password> password;
  QString problem;
  int exitStatus = 0;
};

// The password a source gave, or the line that says why there is none and the status to end with.
PasswordOutcome outcomeOf(PasswordInput input, const QString &missing, int failure) {
  if (auto *password = std::get_if<Password>(&input)) {
    return {std::move(*password), {}, 0};
  }
  switch (std::get<PasswordProblem>(input)) {
  case PasswordProblem::Missing:
    break;
  case PasswordProblem::TooLong:
    return {std::nullopt,
            QStringLiteral("the password is longer than %1 bytes; no file was changed").arg(longestPassword), failure};
  case PasswordProblem::Mismatch:
    return {std::nullopt, QStringLiteral("the passwords do not match; no file was changed"), failure};
  }
  return {std::nullopt, missing, failure};
}

PasswordOutcome obtainPassword(const Options &options) {
  switch (options.passwordSource) {
  case PasswordSource::File:
    return outcomeOf(passwordFromFile(options.passwordFile),
                     QStringLiteral("cannot read the password file '%1'").arg(options.passwordFile), usageError);
  case PasswordSource::StandardInput:
    return outcomeOf(passwordFromStandardInput(), QStringLiteral("no password on standard input"), usageError);
  case PasswordSource::Terminal:
    break;
  }
  if (!terminalAvailable()) {
    return {std::nullopt, QStringLiteral("no terminal to ask the password on; use --password-file or --password-stdin"),
            usageError};
  }
  return outcomeOf(
      passwordFromTerminal(options.direction == Direction::Encrypt ? Confirmation::Twice : Confirmation::Once),
      QStringLiteral("no password was given; no file was changed"), someFileFailed);
}

int run(const Options &options, const QString &password) {
  const bool encrypting = options.direction == Direction::Encrypt;
  const JobTexts &texts = encrypting ? encryptionTexts : decryptionTexts;
  QString current;
  // The presenter names the file in hand, so it lives no longer than this run.
  const MessagePresenter previous =
      setMessagePresenter([&current](const std::string &text, const std::string &, MessageStyle) {
        std::cerr << current.toStdString() << ": " << text << std::endl;
      });
  const auto restore = qScopeGuard([&previous] { setMessagePresenter(previous); });
  bool allRewritten = true;
  for (const QString &file : options.files) {
    current = file;
    bool rewritten = false;
    // Each file was named on purpose, so a hidden one is rewritten too.
    if (!namesExistingFile(file, HiddenFiles::Found)) {
      showMessageBox(missingFileText, missingFileTitle, MessageStyle::Critical);
    } else {
      rewritten = encrypting ? EncryptFile(file, password) : DecryptFile(file, password);
    }
    if (rewritten && !options.quiet) {
      std::cout << file.toStdString() << ": " << texts.complete << std::endl;
    }
    allRewritten = allRewritten && rewritten;
  }
  return allRewritten ? 0 : someFileFailed;
}

int runCommandLine(int argc, char *argv[]) {
  const QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("orvelin-cli"));
  QCoreApplication::setApplicationVersion(QStringLiteral(ORVELIN_VERSION));

  const Parsed parsed = parseCommandLine(QCoreApplication::arguments());
  if (!parsed.options) {
    (parsed.exitStatus == 0 ? std::cout : std::cerr) << parsed.text.toStdString();
    return parsed.exitStatus;
  }
  // The password is wiped as the outcome goes, once the jobs have let go of their copies.
  const PasswordOutcome outcome = obtainPassword(*parsed.options);
  if (!outcome.password) {
    std::cerr << "orvelin-cli: " << outcome.problem.toStdString() << std::endl;
    return outcome.exitStatus;
  }
  if (outcome.password->text().isEmpty()) {
    const bool encrypting = parsed.options->direction == Direction::Encrypt;
    std::cerr << "orvelin-cli: " << (encrypting ? orvelin::encryptionTexts : orvelin::decryptionTexts).passwordMissing
              << std::endl;
    return someFileFailed;
  }
  return run(*parsed.options, outcome.password->text());
}

} // namespace
} // namespace orvelin::cli

int main(int argc, char *argv[]) {
  try {
    return orvelin::cli::runCommandLine(argc, argv);
  } catch (const std::exception &error) {
    // The jobs report their own failures; whatever else goes wrong still ends with a message.
    std::cerr << "orvelin-cli: " << error.what() << std::endl;
    return orvelin::cli::someFileFailed;
  }
}
