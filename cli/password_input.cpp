#include "password_input.h"

#include "crypto/secure_wipe.h"

#include <QFile>
#include <QScopeGuard>

#include <array>
#include <fcntl.h>
#include <string_view>
#include <termios.h>
#include <unistd.h>

namespace orvelin::cli {
namespace {

// The first line from a file handle, without its line ending, read a byte at a time into one
// buffer of fixed size, wiped afterwards: nothing past the line is taken in, and no outgrown
// buffer is left holding part of it.
PasswordInput readLine(int handle) {
  // The longest password, a carriage return, and the line feed or the byte that is one too many.
  std::array<char, longestPassword + 2> line{};
  const auto wipeLine = qScopeGuard([&line] { wipe(line.data(), line.size()); });
  std::size_t length = 0;
  ssize_t got = 0;
  while (length < line.size() && (got = ::read(handle, &line[length], 1)) == 1 && line[length] != '\n') {
    ++length;
  }
  if (got != 1 && length == 0) {
    return PasswordProblem::Missing;
  }
  if (length > 0 && line[length - 1] == '\r') {
    --length;
  }
  if (length > longestPassword) {
    return PasswordProblem::TooLong;
  }
  return Password(QString::fromUtf8(line.data(), static_cast<qsizetype>(length)));
}

// Reads one line from a terminal, its echo switched off for the while.
class Terminal {
public:
  Terminal() : handle_(::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC)) {}
  Terminal(const Terminal &) = delete;
  Terminal &operator=(const Terminal &) = delete;
  ~Terminal() {
    if (handle_ >= 0) {
      ::close(handle_);
    }
  }

  [[nodiscard]] bool open() const { return handle_ >= 0; }

  PasswordInput ask(const char *prompt) const {
    // Echo goes off before the prompt appears, and nothing typed is flushed, so an answer typed the
    // moment the prompt shows is neither echoed nor lost.
    termios saved{};
    const bool quiet = ::tcgetattr(handle_, &saved) == 0;
    if (quiet) {
      termios silent = saved;
      silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
      ::tcsetattr(handle_, TCSANOW, &silent);
    }
    say(prompt);
    PasswordInput answer = readLine(handle_);
    if (const auto *problem = std::get_if<PasswordProblem>(&answer); problem && *problem == PasswordProblem::TooLong) {
      // The rest of the line would otherwise be read by whatever reads the terminal next: the shell.
      ::tcflush(handle_, TCIFLUSH);
    }
    if (quiet) {
      ::tcsetattr(handle_, TCSANOW, &saved);
    }
    say("\n");
    return answer;
  }

  // A prompt that cannot be shown changes nothing about the answer, so the result is not looked at.
  void say(std::string_view text) const {
    [[maybe_unused]] const ssize_t written = ::write(handle_, text.data(), text.size());
  }

private:
  int handle_;
};

} // namespace

PasswordInput passwordFromFile(const QString &path) {
  const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  if (handle < 0) {
    return PasswordProblem::Missing;
  }
  const auto closeFile = qScopeGuard([handle] { ::close(handle); });
  return readLine(handle);
}

PasswordInput passwordFromStandardInput() { return readLine(STDIN_FILENO); }

bool terminalAvailable() { return Terminal().open(); }

PasswordInput passwordFromTerminal(Confirmation confirmation) {
  const Terminal terminal;
  PasswordInput password = terminal.ask("Password: ");
  if (std::holds_alternative<PasswordProblem>(password) || confirmation == Confirmation::Once) {
    return password;
  }
  const PasswordInput again = terminal.ask("Confirm password: ");
  if (const auto *problem = std::get_if<PasswordProblem>(&again)) {
    return *problem;
  }
  if (std::get<Password>(again).text() != std::get<Password>(password).text()) {
    return PasswordProblem::Mismatch;
  }
  return password;
}

} // namespace orvelin::cli
