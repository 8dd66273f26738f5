#pragma once
// Where orvelin-cli takes the password from: never the command line, where other users could see it.

#include <QString>

#include <optional>

namespace orvelin::cli {

// The first line of a text file (UTF-8), without its line ending.
std::optional<QString> passwordFromFile(const QString &path);

// The first line of standard input (UTF-8), without its line ending.
std::optional<QString> passwordFromStandardInput();

// Whether the process has a terminal to ask on.
bool terminalAvailable();

// Asked on the terminal without echo; twice when confirming, and nothing when the two differ or the
// terminal closes.
enum class Confirmation { Once, Twice };
std::optional<QString> passwordFromTerminal(Confirmation confirmation);

} // namespace orvelin::cli
