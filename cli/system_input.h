#pragma once
// What orvelin-cli reads a password through, one implementation per platform: system_input_posix.cpp
// and system_input_windows.cpp.

#include "jobs/system_files.h"
#include "password_input.h"

#include <filesystem>
#include <optional>

namespace orvelin::cli {

// A file, or standard input, read one byte at a time: nothing past the password's line is taken in,
// and no buffer but the caller's ever holds it.
class ByteInput {
public:
  static ByteInput standardInput();
  explicit ByteInput(const std::filesystem::path &file);
  ByteInput(const ByteInput &) = delete;
  ByteInput &operator=(const ByteInput &) = delete;
  ~ByteInput();

  [[nodiscard]] bool isOpen() const { return handle_.has_value(); }
  // False at the end of the input, or when it cannot be read.
  bool readByte(char &byte);
  // True once a read has failed (as opposed to finding the end).
  [[nodiscard]] bool failed() const { return failed_; }

private:
  friend class Terminal; // which reads its own handle as bytes where it can
  ByteInput(std::optional<os::FileHandle> handle, bool owned) : handle_(handle), owned_(owned) {}

  std::optional<os::FileHandle> handle_;
  bool owned_;
  bool failed_ = false;
};

// The first line of input as a password, read into one buffer of fixed size that is wiped afterwards.
PasswordInput readPasswordLine(ByteInput &input);

// The user's terminal (the console, on Windows), to ask for a password without showing it.
class Terminal {
public:
  Terminal();
  Terminal(const Terminal &) = delete;
  Terminal &operator=(const Terminal &) = delete;
  ~Terminal();

  [[nodiscard]] bool isOpen() const { return input_.has_value() && output_.has_value(); }
  // Shows the prompt and reads one line with the echo off.
  [[nodiscard]] PasswordInput ask(const char *prompt) const;

private:
  std::optional<os::FileHandle> input_;
  std::optional<os::FileHandle> output_;
};

} // namespace orvelin::cli
