#include "system_input.h"

#include "echo_off_posix.h"

#include <fcntl.h>
#include <string_view>
#include <termios.h>
#include <unistd.h>

namespace orvelin::cli {
namespace {

std::optional<os::FileHandle> opened(int handle) { return handle >= 0 ? std::optional(handle) : std::nullopt; }

// A prompt that cannot be shown changes nothing about the answer, so the result is not looked at.
void say(int terminal, std::string_view text) {
  [[maybe_unused]] const ssize_t written = ::write(terminal, text.data(), text.size());
}

} // namespace

ByteInput ByteInput::standardInput() { return {STDIN_FILENO, false}; }

ByteInput::ByteInput(const std::filesystem::path &file)
    : handle_(opened(::open(file.c_str(), O_RDONLY | O_CLOEXEC))), owned_(true) {}

ByteInput::~ByteInput() {
  if (handle_ && owned_) {
    ::close(*handle_);
  }
}

bool ByteInput::readByte(char &byte) {
  const ssize_t got = ::read(*handle_, &byte, 1);
  failed_ = got < 0;
  return got == 1;
}

// The terminal the program was started from, whatever its standard input is.
Terminal::Terminal() : input_(opened(::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC))), output_(input_) {}

Terminal::~Terminal() {
  if (input_) {
    ::close(*input_);
  }
}

PasswordInput Terminal::ask(const char *prompt) const {
  // Echo goes off before the prompt appears, and nothing typed is flushed, so an answer typed the
  // moment the prompt shows is neither echoed nor lost.
  const EchoOff silent(*input_);
  say(*output_, prompt);
  ByteInput typed(input_, false);
  PasswordInput answer = readPasswordLine(typed);
  if (const auto *problem = std::get_if<PasswordProblem>(&answer); problem && *problem == PasswordProblem::TooLong) {
    // The rest of the line would otherwise be read by whatever reads the terminal next: the shell.
    ::tcflush(*input_, TCIFLUSH);
  }
  say(*output_, "\n");
  return answer;
}

} // namespace orvelin::cli
