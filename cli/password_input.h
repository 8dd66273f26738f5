#pragma once
// Where orvelin-cli takes the password from: never the command line, where other users could see it.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

namespace orvelin::cli {

// The longest password taken, in bytes of UTF-8 without the line ending. A longer one is refused,
// never cut short: cut, it would make a key other than the typed password's, and the file would open
// nowhere else. A terminal passes at most 4095 bytes of a line and drops the rest unseen, so the
// limit sits well below that, where it and not the terminal decides.
constexpr std::size_t longestPassword = 1024;

// A password as read, as the jobs take it (UTF-16), in one buffer that is wiped when the password
// goes. It is moved, never copied; each object it was moved out of wipes what a short string leaves
// behind in it.
class Password {
public:
  // Made in place, in a buffer that is never outgrown.
  static Password fromUtf8(std::string_view bytes);

  Password(Password &&) noexcept = default;
  Password &operator=(Password &&) noexcept = default;
  Password(const Password &) = delete;
  Password &operator=(const Password &) = delete;
  ~Password();

  [[nodiscard]] std::u16string_view text() const { return text_; }

private:
  Password() = default;

  std::u16string text_;
};

// Why no password came.
enum class PasswordProblem {
  Missing,  // nothing could be read: the file cannot be, or the terminal went away
  Empty,    // the input ended before its first byte (or its byte-order mark)
  TooLong,  // more than longestPassword bytes
  NotUtf8,  // bytes that are not UTF-8 text, which no character of the password could be made of
  Mismatch, // the terminal's two typings differ
};

using PasswordInput = std::variant<Password, PasswordProblem>;

// A line as read, without its line ending, as a password.
PasswordInput passwordFromLine(std::string_view line);

// The first line of a file. A UTF-8 byte-order mark before it (as Notepad writes one) is no part
// of it, here and on standard input.
PasswordInput passwordFromFile(const std::filesystem::path &path);

// The first line of standard input; nothing after it is consumed.
PasswordInput passwordFromStandardInput();

// Whether there is a terminal (the console, on Windows) to ask on.
bool terminalAvailable();

enum class Confirmation { Once, Twice };

// Asks on the terminal with its echo off: "Password: ", and to confirm, "Confirm password: ".
PasswordInput passwordFromTerminal(Confirmation confirmation);

} // namespace orvelin::cli
