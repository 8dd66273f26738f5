#pragma once

#include "base/message_sink.h"
#include "system_files.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace orvelin {

// A regular file open for reading, and a buffer of its size for its bytes, with room to spare.
// The file is closed when this goes, unless its handle has been taken.
class FileToRead {
public:
  FileToRead(os::FileHandle file, std::string buffer) : file_(file), buffer_(std::move(buffer)) {}
  FileToRead(FileToRead &&other) noexcept : file_(other.file_), buffer_(std::move(other.buffer_)) {
    other.file_.reset();
  }
  FileToRead(const FileToRead &) = delete;
  FileToRead &operator=(const FileToRead &) = delete;
  FileToRead &operator=(FileToRead &&) = delete;
  ~FileToRead() {
    if (file_) {
      os::close(*file_);
    }
  }

  [[nodiscard]] std::size_t size() const { return buffer_.size(); }
  // The file's handle, which whoever takes it must close.
  os::FileHandle takeHandle() { return *std::exchange(file_, std::nullopt); }
  // The buffer, already at the file's size, for its bytes.
  std::string takeBuffer() { return std::move(buffer_); }

private:
  std::optional<os::FileHandle> file_;
  std::string buffer_;
};

// Opens the regular file at path to be read whole, into a buffer with spareRoom bytes to grow in
// place. A file longer than largestSize is refused with tooLargeText before it is opened. Any failure
// has been shown as a "File Error" box in messages when nothing is returned.
std::optional<FileToRead> openWholeFile(const std::filesystem::path &path, std::uint64_t largestSize,
                                        const std::string &tooLargeText, std::size_t spareRoom, MessageSink &messages);

// Why a file could not be read whole: a failed read, or a length that changed while it was read.
struct ReadFault {
  bool changed;
  os::ErrorCode error;
};

// Shows the "File Error" box of a file that could not be read whole. Returns false.
bool reportReadFault(MessageSink &messages, const std::filesystem::path &path, const ReadFault &fault);

} // namespace orvelin
