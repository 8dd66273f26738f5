#include "password_input.h"

#include "crypto/secure_wipe.h"

#include <QFile>

#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace orvelin::cli {
namespace {

Password withoutLineEnding(std::string &line) {
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  Password password(QString::fromUtf8(line));
  wipe(line);
  return password;
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
    std::string line;
    char byte = 0;
    ssize_t got = 0;
    while ((got = ::read(handle_, &byte, 1)) == 1 && byte != '\n') {
      line.push_back(byte);
    }
    if (quiet) {
      ::tcsetattr(handle_, TCSANOW, &saved);
    }
    say("\n");
    if (got != 1 && line.empty()) {
      return PasswordProblem::Missing;
    }
    return withoutLineEnding(line);
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
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return PasswordProblem::Missing;
  }
  QByteArray line = file.readLine();
  if (line.endsWith('\n')) {
    line.chop(1);
  }
  std::string bytes = line.toStdString();
  line.fill('\0');
  return withoutLineEnding(bytes);
}

PasswordInput passwordFromStandardInput() {
  std::string line;
  if (!std::getline(std::cin, line) && line.empty()) {
    return PasswordProblem::Missing;
  }
  return withoutLineEnding(line);
}

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
