#include "whole_file.h"

#include "base/large_buffer.h"
#include "file_error.h"

namespace orvelin {

std::optional<FileToRead> openWholeFile(const std::filesystem::path &path, std::uint64_t largestSize,
                                        const std::string &tooLargeText, std::size_t spareRoom, MessageSink &messages) {
  const auto refuse = [&messages](const std::string &text) {
    reportFileError(messages, text);
    return std::nullopt;
  };
  const std::optional<os::FileFacts> facts = os::factsOf(path);
  if (!facts) {
    return refuse(fileErrorText("read", path, os::lastError()));
  }
  if (!facts->regular) {
    return refuse(cannot("read", path) + "it is not a regular file.");
  }
  if (facts->size > largestSize) {
    return refuse(tooLargeText);
  }
  // The memory first: a job short of it has then opened nothing that would have to be closed.
  const auto size = static_cast<std::size_t>(facts->size);
  std::string buffer = reservedBuffer(size + spareRoom);
  buffer.resize(size);
  const std::optional<os::FileHandle> file = os::openForReading(path);
  if (!file) {
    return refuse(fileErrorText("read", path, os::lastError()));
  }
  return FileToRead(*file, std::move(buffer));
}

bool reportReadFault(MessageSink &messages, const std::filesystem::path &path, const ReadFault &fault) {
  return reportFileError(messages, fault.changed ? cannot("read", path) + "it changed while it was being read."
                                                 : fileErrorText("read", path, fault.error));
}

} // namespace orvelin
