#include "cli_options.h"

#include "exit_status.h"

#include <CLI/CLI.hpp>

namespace orvelin::cli {
namespace {

Parsed usage(const std::string &problem) {
  return {std::nullopt, "orvelin-cli: " + problem + "\nTry 'orvelin-cli --help' for more information.\n", usageError};
}

} // namespace

Parsed parseCommandLine(const std::vector<std::string> &arguments) {
  CLI::App parser(
      "Encrypts or decrypts files in place with a password, in the format of Orvelin File Encryptor.\n"
      "The password is asked on the terminal (twice to encrypt) unless one of the password options says where to "
      "read it.\n"
      "Hidden files (names starting with \".\", or on Windows with the hidden or system attribute) are rewritten "
      "like any other: each file is named on purpose here, whereas the window passes them over.\n"
      "A file is rewritten under the name given; its other names (hard links) keep the old content, and a warning "
      "says so.\n"
      "Each line names its file as given, with every control character in it, and every byte that is not UTF-8, "
      "shown as \\xNN.\n"
      "Files of any size are rewritten; an encrypted file over 1 GiB cannot be opened by programs that read such "
      "files whole with signed 32-bit sizes.",
      "orvelin-cli");
  std::string command;
  std::vector<std::string> files;
  std::string passwordFile;
  bool passwordStdin = false;
  bool quiet = false;
  parser.add_option("command", command, "encrypt or decrypt")->type_name("");
  parser.add_option("files", files, "The files to rewrite, several at once; their lines come in the order given.")
      ->type_name("FILE...");
  const CLI::Option *passwordFileOption =
      parser
          .add_option("--password-file", passwordFile,
                      "Read the password from the first line of <path> (UTF-8); that file is never rewritten.")
          ->type_name("<path>");
  parser.add_flag("--password-stdin", passwordStdin, "Read the password from the first line of standard input.");
  parser.add_flag("--quiet", quiet, "Print nothing for files that succeed.");
  parser.set_version_flag("-v,--version", "orvelin-cli " ORVELIN_VERSION, "Displays version information.");
  parser.set_help_flag("-h,--help", "Displays help on commandline options.");
  // The same options everywhere: on Windows too, "/name" is a file's path, not an option.
  parser.allow_windows_style_options(false);

  try {
    // CLI11 takes the arguments last first.
    parser.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend()));
  } catch (const CLI::CallForHelp &) {
    return {std::nullopt, parser.help(), 0};
  } catch (const CLI::CallForVersion &version) {
    return {std::nullopt, std::string(version.what()) + "\n", 0};
  } catch (const CLI::ParseError &error) {
    return usage(error.what());
  }
  if (command.empty()) {
    return usage("missing command: encrypt or decrypt");
  }
  if (command != "encrypt" && command != "decrypt") {
    return usage("unknown command '" + command + "': encrypt or decrypt");
  }
  if (files.empty()) {
    return usage("no file given");
  }
  if (passwordFileOption->count() > 0 && passwordStdin) {
    return usage("--password-file and --password-stdin cannot be used together");
  }
  Options options;
  options.direction = command == "encrypt" ? Direction::Encrypt : Direction::Decrypt;
  options.files = std::move(files);
  if (passwordFileOption->count() > 0) {
    options.passwordSource = PasswordSource::File;
    options.passwordFile = passwordFile;
  } else if (passwordStdin) {
    options.passwordSource = PasswordSource::StandardInput;
  }
  options.quiet = quiet;
  return {std::move(options), {}, 0};
}

} // namespace orvelin::cli
