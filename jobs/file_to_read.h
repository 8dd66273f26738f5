#pragma once

#include "base/message_sink.h"
#include "system_files.h"

#include <filesystem>
#include <optional>
#include <utility>

namespace orvelin {

// A regular file open for reading, where it was found and how it was when opened. The file is
// closed when this goes, unless its handle has been taken.
class FileToRead {
public:
  FileToRead(const os::Place &place, const os::Original &original)
      : place_(place), file_(original.handle), stamp_(original.stamp) {}
  FileToRead(FileToRead &&other) noexcept
      : place_(std::exchange(other.place_, std::nullopt)), file_(std::exchange(other.file_, std::nullopt)),
        stamp_(other.stamp_) {}
  FileToRead(const FileToRead &) = delete;
  FileToRead &operator=(const FileToRead &) = delete;
  FileToRead &operator=(FileToRead &&) = delete;
  ~FileToRead();

  [[nodiscard]] const os::Place &place() const { return *place_; }
  [[nodiscard]] const os::FileStamp &stamp() const { return stamp_; }
  // The file's handle, which whoever takes it must close.
  os::FileHandle takeHandle() { return *std::exchange(file_, std::nullopt); }

private:
  std::optional<os::Place> place_; // released when this goes, unless moved away
  std::optional<os::FileHandle> file_;
  os::FileStamp stamp_;
};

// Finds the regular file at path once, through every link, and opens it there to be read. Any
// failure has been shown as a "File Error" box in messages when nothing is returned.
std::optional<FileToRead> openFileToRead(const std::filesystem::path &path, MessageSink &messages);

// Why a file could not be read: a failed read, or a file that changed while it was read.
struct ReadFault {
  bool changed;
  os::ErrorCode error;
};

// Shows the "File Error" box of a file that could not be read. Returns false.
bool reportReadFault(MessageSink &messages, const std::filesystem::path &path, const ReadFault &fault);

} // namespace orvelin
