#include "system_input.h"

#include "base/secure_wipe.h"
#include "base/windows_api.h"

#include <array>
#include <string_view>

namespace orvelin::cli {
namespace {

std::optional<os::FileHandle> opened(HANDLE handle) {
  return handle != INVALID_HANDLE_VALUE && handle != nullptr ? std::optional(handle) : std::nullopt;
}

// The console's input, when standard input is one; a redirected input is no terminal to ask on.
std::optional<os::FileHandle> consoleInput() {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  return GetConsoleMode(input, &mode) != FALSE ? std::optional(input) : std::nullopt;
}

// A prompt that cannot be shown changes nothing about the answer, so the result is not looked at.
void say(HANDLE console, std::wstring_view text) {
  DWORD written = 0;
  WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// One line typed at the console, in UTF-16, into a buffer of fixed size that is wiped afterwards.
class TypedLine {
public:
  explicit TypedLine(HANDLE console) {
    DWORD got = 0;
    if (ReadConsoleW(console, units_.data(), static_cast<DWORD>(units_.size()), &got, nullptr) == FALSE || got == 0) {
      return;
    }
    const std::wstring_view read(units_.data(), got);
    const std::size_t end = read.find(L'\n');
    ended_ = end != std::wstring_view::npos;
    length_ = ended_ ? end : got;
    if (length_ > 0 && units_.at(length_ - 1) == L'\r') {
      --length_;
    }
    // The rest of a line too long for the buffer, which whatever reads the console next would get.
    for (bool rest = !ended_; rest;) {
      DWORD more = 0;
      rest = ReadConsoleW(console, spill_.data(), static_cast<DWORD>(spill_.size()), &more, nullptr) != FALSE &&
             more > 0 && std::wstring_view(spill_.data(), more).find(L'\n') == std::wstring_view::npos;
    }
    read_ = true;
  }
  TypedLine(const TypedLine &) = delete;
  TypedLine &operator=(const TypedLine &) = delete;
  ~TypedLine() {
    wipe(units_);
    wipe(spill_);
  }

  // The line as a password: its UTF-8, in a buffer of fixed size, decides whether it is too long.
  [[nodiscard]] PasswordInput password() const {
    if (!read_) {
      return PasswordProblem::Missing;
    }
    std::array<char, longestPassword> utf8{};
    const WipeOnExit wipeUtf8(utf8);
    const int length = static_cast<int>(length_);
    if (!ended_ || (length > 0 && WideCharToMultiByte(CP_UTF8, 0, units_.data(), length, nullptr, 0, nullptr, nullptr) >
                                      static_cast<int>(utf8.size()))) {
      return PasswordProblem::TooLong;
    }
    const int converted = WideCharToMultiByte(CP_UTF8, 0, units_.data(), length, utf8.data(),
                                              static_cast<int>(utf8.size()), nullptr, nullptr);
    return passwordFromLine(std::string_view(utf8.data(), static_cast<std::size_t>(converted)));
  }

private:
  // The longest password is at least as many units as bytes; with a carriage return and a line feed.
  std::array<wchar_t, longestPassword + 2> units_{};
  std::array<wchar_t, 256> spill_{};
  std::size_t length_ = 0;
  bool ended_ = false;
  bool read_ = false;
};

} // namespace

ByteInput ByteInput::standardInput() { return {opened(GetStdHandle(STD_INPUT_HANDLE)), false}; }

ByteInput::ByteInput(const std::filesystem::path &file)
    : handle_(opened(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr))),
      owned_(true) {}

ByteInput::~ByteInput() {
  if (handle_ && owned_) {
    CloseHandle(*handle_);
  }
}

bool ByteInput::readByte(char &byte) {
  DWORD got = 0;
  // A pipe whose writer has closed it reports its end as a broken pipe.
  const bool read = ReadFile(*handle_, &byte, 1, &got, nullptr) != FALSE;
  failed_ = !read && GetLastError() != ERROR_BROKEN_PIPE;
  return read && got == 1;
}

// The console's own screen for the prompts, whatever standard output and error are.
Terminal::Terminal()
    : input_(consoleInput()),
      output_(opened(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr))) {}

Terminal::~Terminal() {
  if (output_) {
    CloseHandle(*output_);
  }
}

PasswordInput Terminal::ask(const char *prompt) const {
  // Echo goes off before the prompt appears, so an answer typed the moment it shows is not echoed.
  DWORD saved = 0;
  const bool quiet = GetConsoleMode(*input_, &saved) != FALSE;
  if (quiet) {
    SetConsoleMode(*input_, saved & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
  }
  const std::string_view text(prompt);
  say(*output_, std::wstring(text.begin(), text.end()));
  const TypedLine line(*input_);
  if (quiet) {
    SetConsoleMode(*input_, saved);
  }
  say(*output_, L"\r\n");
  return line.password();
}

} // namespace orvelin::cli
