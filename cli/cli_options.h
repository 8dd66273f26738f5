#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvelin::cli {

enum class Direction { Encrypt, Decrypt };
enum class PasswordSource { Terminal, File, StandardInput };

struct Options {
  Direction direction = Direction::Encrypt;
  std::vector<std::string> files; // UTF-8
  PasswordSource passwordSource = PasswordSource::Terminal;
  std::string passwordFile; // UTF-8
  bool quiet = false;
};

// What the command line asks for: a run, or a text to print and the exit status to end with.
struct Parsed {
  std::optional<Options> options;
  std::string text;
  int exitStatus = 0;
};

// The arguments after the program's name, in UTF-8.
Parsed parseCommandLine(const std::vector<std::string> &arguments);

} // namespace orvelin::cli
