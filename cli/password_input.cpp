#include "password_input.h"

#include "base/secure_wipe.h"
#include "base/unicode_text.h"
#include "system_input.h"

#include <array>

namespace orvelin::cli {

Password Password::fromUtf8(std::string_view bytes) {
  Password password;
  // UTF-8 never takes fewer bytes than UTF-16 takes units.
  password.text_.reserve(bytes.size());
  appendUtf16(bytes, password.text_);
  return password;
}

Password::~Password() { wipe(text_); }

PasswordInput passwordFromLine(std::string_view line) {
  if (line.size() > longestPassword) {
    return PasswordProblem::TooLong;
  }
  if (!isValidUtf8(line)) {
    return PasswordProblem::NotUtf8;
  }
  return Password::fromUtf8(line);
}

PasswordInput readPasswordLine(ByteInput &input) {
  // The longest password, a carriage return, and the line feed or the byte that is one too many.
  std::array<char, longestPassword + 2> line{};
  const WipeOnExit wipeLine(line);
  // Taken out as it is read, so that it takes no room of the password's. U+FEFF is no character a
  // password could start with: the service's code page lacks it.
  constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
  bool markRead = false;
  std::size_t length = 0;
  bool got = false;
  while (length < line.size() && (got = input.readByte(line.at(length))) && line.at(length) != '\n') {
    ++length;
    if (!markRead && length == byteOrderMark.size() && std::string_view(line.data(), length) == byteOrderMark) {
      markRead = true;
      length = 0;
    }
  }
  if (!got && length == 0) {
    return input.failed() ? PasswordProblem::Missing : PasswordProblem::Empty;
  }
  if (length > 0 && line.at(length - 1) == '\r') {
    --length;
  }
  return passwordFromLine(std::string_view(line.data(), length));
}

PasswordInput passwordFromFile(const std::filesystem::path &path) {
  ByteInput file(path);
  return file.isOpen() ? readPasswordLine(file) : PasswordProblem::Missing;
}

PasswordInput passwordFromStandardInput() {
  ByteInput input = ByteInput::standardInput();
  return readPasswordLine(input);
}

bool terminalAvailable() { return Terminal().isOpen(); }

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
