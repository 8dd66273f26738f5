// orvelin-cli: the file jobs of the window program for scripts, servers without a display and
// many files at once. Every message the window shows in a box becomes one line on standard error.

#include "app/file_jobs.h"
#include "app/file_lookup.h"
#include "cli_options.h"
#include "crypto/message_box.h"
#include "password_input.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include <iostream>

namespace orvelin::cli {
namespace {

constexpr int someFileFailed = 1;
constexpr int usageError = 2;

struct PasswordOutcome {
  std::optional<QString> password;
  QString problem;
  int exitStatus = 0;
};

PasswordOutcome obtainPassword(const Options &options) {
  switch (options.passwordSource) {
  case PasswordSource::File:
    if (auto password = passwordFromFile(options.passwordFile)) {
      return {password, {}, 0};
    }
    return {std::nullopt, QStringLiteral("cannot read the password file '%1'").arg(options.passwordFile), usageError};
  case PasswordSource::StandardInput:
    if (auto password = passwordFromStandardInput()) {
      return {password, {}, 0};
    }
    return {std::nullopt, QStringLiteral("no password on standard input"), usageError};
  case PasswordSource::Terminal:
    break;
  }
  if (!terminalAvailable()) {
    return {std::nullopt, QStringLiteral("no terminal to ask the password on; use --password-file or --password-stdin"),
            usageError};
  }
  const bool encrypting = options.direction == Direction::Encrypt;
  if (auto password = passwordFromTerminal(encrypting ? Confirmation::Twice : Confirmation::Once)) {
    return {password, {}, 0};
  }
  return {std::nullopt,
          encrypting ? QStringLiteral("the passwords do not match; no file was changed")
                     : QStringLiteral("no password was given; no file was changed"),
          someFileFailed};
}

int run(const Options &options, const QString &password) {
  const bool encrypting = options.direction == Direction::Encrypt;
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
      showMessageBox("Invalid file name, or file missing!", "Invalid File", MessageStyle::Critical);
    } else {
      rewritten = encrypting ? EncryptFile(file, password) : DecryptFile(file, password);
    }
    if (rewritten && !options.quiet) {
      std::cout << file.toStdString() << ": "
                << (encrypting ? "File encryption complete!" : "File decryption complete!") << std::endl;
    }
    allRewritten = allRewritten && rewritten;
  }
  return allRewritten ? 0 : someFileFailed;
}

} // namespace
} // namespace orvelin::cli

int main(int argc, char *argv[]) {
  using namespace orvelin::cli;
  const QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("orvelin-cli"));
  QCoreApplication::setApplicationVersion(QStringLiteral(ORVELIN_VERSION));

  const Parsed parsed = parseCommandLine(QCoreApplication::arguments());
  if (!parsed.options) {
    (parsed.exitStatus == 0 ? std::cout : std::cerr) << parsed.text.toStdString();
    return parsed.exitStatus;
  }
  PasswordOutcome outcome = obtainPassword(*parsed.options);
  if (!outcome.password) {
    std::cerr << "orvelin-cli: " << outcome.problem.toStdString() << std::endl;
    return outcome.exitStatus;
  }
  if (outcome.password->isEmpty()) {
    std::cerr << "orvelin-cli: "
              << (parsed.options->direction == Direction::Encrypt ? "Password required for encrypting file!"
                                                                  : "Password required for decrypting file!")
              << std::endl;
    return someFileFailed;
  }
  const int status = run(*parsed.options, *outcome.password);
  outcome.password->fill(QChar(0));
  return status;
}
