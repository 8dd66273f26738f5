#pragma once
// Where orvelin-cli takes the password from: never the command line, where other users could see it.

#include <QString>

#include <cstddef>
#include <utility>
#include <variant>

namespace orvelin::cli {

// The longest password taken, in bytes of UTF-8 without the line ending. A longer one is refused,
// never cut short: cut, it would make a key other than the typed password's, and the file would open
// nowhere else. A terminal passes at most 4095 bytes of a line and drops the rest unseen, so the
// limit sits well below that, where it and not the terminal decides.
constexpr std::size_t longestPassword = 1024;

// A password as read, its characters in one buffer, which is wiped when the password goes. It is
// moved, never copied, and hands out only a reference: a string that shared the buffer would
// make the wipe fill a fresh copy and leave the characters where they were.
class Password {
public:
  explicit Password(QString text) : text_(std::move(text)) {}
  Password(Password &&) noexcept = default;
  Password &operator=(Password &&) noexcept = default;
  Password(const Password &) = delete;
  Password &operator=(const Password &) = delete;
  ~Password() {
    if (!text_.isEmpty()) {
      text_.fill(QChar(0));
    }
  }

  [[nodiscard]] const QString &text() const { return text_; }

private:
  QString text_;
};

// Why no password came.
enum class PasswordProblem {
  Missing,  // no line: the file cannot be read, or the input or the terminal closed first
  TooLong,  // more than longestPassword bytes
  Mismatch, // the terminal's two typings differ
};

using PasswordInput = std::variant<Password, PasswordProblem>;

// The first line of a text file (UTF-8), without its line ending.
PasswordInput passwordFromFile(const QString &path);

// The first line of standard input (UTF-8), without its line ending.
PasswordInput passwordFromStandardInput();

// Whether the process has a terminal to ask on.
bool terminalAvailable();

// Asked on the terminal without echo; twice when confirming.
enum class Confirmation { Once, Twice };
PasswordInput passwordFromTerminal(Confirmation confirmation);

} // namespace orvelin::cli
