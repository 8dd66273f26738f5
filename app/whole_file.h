#pragma once

#include "base/message_sink.h"
#include "system_files.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace orvelin {

// A regular file open for reading, where it was found and how it was when opened, and a buffer of
// its size for its bytes, with room to spare. The file is closed when this goes, unless its handle
// has been taken.
class FileToRead {
public:
  FileToRead(const os::Place &place, const os::Original &original)
      : place_(place), file_(original.handle), stamp_(original.stamp) {}
  FileToRead(FileToRead &&other) noexcept
      : place_(std::exchange(other.place_, std::nullopt)), file_(std::exchange(other.file_, std::nullopt)),
        stamp_(other.stamp_), buffer_(std::move(other.buffer_)) {}
  FileToRead(const FileToRead &) = delete;
  FileToRead &operator=(const FileToRead &) = delete;
  FileToRead &operator=(FileToRead &&) = delete;
  ~FileToRead();

  [[nodiscard]] const os::Place &place() const { return *place_; }
  [[nodiscard]] const os::FileStamp &stamp() const { return stamp_; }
  [[nodiscard]] std::size_t size() const { return static_cast<std::size_t>(stamp_.size); }
  // The file's handle, which whoever takes it must close.
  os::FileHandle takeHandle() { return *std::exchange(file_, std::nullopt); }
  void giveBuffer(std::string buffer) { buffer_ = std::move(buffer); }
  // The buffer, already at the file's size, for its bytes.
  std::string takeBuffer() { return std::move(buffer_); }

private:
  std::optional<os::Place> place_; // released when this goes, unless moved away
  std::optional<os::FileHandle> file_;
  os::FileStamp stamp_;
  std::string buffer_;
};

// Finds the regular file at path once, through every link, and opens it there to be read whole, into
// a buffer with spareRoom bytes to grow in place. A file longer than largestSize is refused with
// tooLargeText. Any failure has been shown as a "File Error" box in messages when nothing is returned.
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
