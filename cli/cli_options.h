#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace orvelin::cli {

enum class Direction { Encrypt, Decrypt };
enum class PasswordSource { Terminal, File, StandardInput };

struct Options {
  Direction direction = Direction::Encrypt;
  QStringList files;
  PasswordSource passwordSource = PasswordSource::Terminal;
  QString passwordFile;
  bool quiet = false;
};

// What the command line asks for: a run, or a text to print and the exit status to end with.
struct Parsed {
  std::optional<Options> options;
  QString text;
  int exitStatus = 0;
};

Parsed parseCommandLine(const QStringList &arguments);

} // namespace orvelin::cli
