#include "cli_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace orvelin::cli {
namespace {

constexpr int usageError = 2;

Parsed usage(const QString &problem) {
  return {std::nullopt,
          QStringLiteral("orvelin-cli: %1\nTry 'orvelin-cli --help' for more information.\n").arg(problem), usageError};
}

} // namespace

Parsed parseCommandLine(const QStringList &arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Encrypts or decrypts files in place with a password, in the format of Orvelin File Encryptor.\n"
                     "The password is asked on the terminal (twice to encrypt) unless one of the password options "
                     "says where to read it.\n"
                     "Hidden files (names starting with \".\") are rewritten like any other: each file is named on "
                     "purpose here, whereas the window passes them over."));
  parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("encrypt or decrypt"));
  parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("The files to rewrite, one after another."),
                               QStringLiteral("FILE..."));
  const QCommandLineOption passwordFile(QStringLiteral("password-file"),
                                        QStringLiteral("Read the password from the first line of <path> (UTF-8)."),
                                        QStringLiteral("path"));
  const QCommandLineOption passwordStdin(QStringLiteral("password-stdin"),
                                         QStringLiteral("Read the password from the first line of standard input."));
  const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Print nothing for files that succeed."));
  parser.addOptions({passwordFile, passwordStdin, quiet});
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();

  if (!parser.parse(arguments)) {
    return usage(parser.errorText());
  }
  if (parser.isSet(help)) {
    return {std::nullopt, parser.helpText(), 0};
  }
  if (parser.isSet(version)) {
    return {std::nullopt, QStringLiteral("orvelin-cli %1\n").arg(QCoreApplication::applicationVersion()), 0};
  }
  QStringList positional = parser.positionalArguments();
  if (positional.isEmpty()) {
    return usage(QStringLiteral("missing command: encrypt or decrypt"));
  }
  const QString command = positional.takeFirst();
  if (command != QLatin1String("encrypt") && command != QLatin1String("decrypt")) {
    return usage(QStringLiteral("unknown command '%1': encrypt or decrypt").arg(command));
  }
  if (positional.isEmpty()) {
    return usage(QStringLiteral("no file given"));
  }
  if (parser.isSet(passwordFile) && parser.isSet(passwordStdin)) {
    return usage(QStringLiteral("--password-file and --password-stdin cannot be used together"));
  }
  Options options;
  options.direction = command == QLatin1String("encrypt") ? Direction::Encrypt : Direction::Decrypt;
  options.files = positional;
  if (parser.isSet(passwordFile)) {
    options.passwordSource = PasswordSource::File;
    options.passwordFile = parser.value(passwordFile);
  } else if (parser.isSet(passwordStdin)) {
    options.passwordSource = PasswordSource::StandardInput;
  }
  options.quiet = parser.isSet(quiet);
  return {options, QString(), 0};
}

} // namespace orvelin::cli
