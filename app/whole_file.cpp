#include "whole_file.h"

#include "base/large_buffer.h"
#include "file_error.h"
#include "system_files.h"

#include <algorithm>

namespace orvelin {
namespace {

// Reads go in pieces so that a long one shows its progress.
constexpr std::size_t readPiece = std::size_t{4} << 20;

enum class Reading { Whole, EndedEarly, Failed };

Reading readExactly(os::FileHandle file, std::string &content, const ProgressReport &progress) {
  for (std::size_t done = 0; done < content.size();) {
    const std::optional<std::size_t> got =
        os::readSome(file, content.data() + done, std::min(content.size() - done, readPiece));
    if (!got) {
      return Reading::Failed;
    }
    if (*got == 0) {
      return Reading::EndedEarly;
    }
    done += *got;
    progress(Work::Reading, done, content.size());
  }
  return Reading::Whole;
}

bool atEnd(os::FileHandle file) {
  char extra = 0;
  return os::readSome(file, &extra, 1) == std::size_t{0};
}

std::nullopt_t refuse(const std::string &text) {
  reportFileError(text);
  return std::nullopt;
}

} // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path &path, std::uint64_t largestSize,
                                         const std::string &tooLargeText, std::size_t spareRoom,
                                         const ProgressReport &progress) {
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
  std::string content = reservedBuffer(size + spareRoom);
  content.resize(size);
  const std::optional<os::FileHandle> file = os::openForReading(path);
  if (!file) {
    return refuse(fileErrorText("read", path, os::lastError()));
  }
  const Reading reading = readExactly(*file, content, progress);
  const os::ErrorCode readError = os::lastError();
  // A file that grew since it was measured would lose its tail: refuse it like one that shrank.
  const bool complete = reading == Reading::Whole && atEnd(*file);
  os::close(*file);
  if (!complete) {
    return refuse(reading == Reading::Failed ? fileErrorText("read", path, readError)
                                             : cannot("read", path) + "it changed while it was being read.");
  }
  return content;
}

} // namespace orvelin
