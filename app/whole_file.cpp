#include "whole_file.h"

#include "base/large_buffer.h"
#include "file_error.h"
#include "system_files.h"

#include <algorithm>

namespace orvelin {
namespace {

// Reads go in pieces so that a long one shows its progress.
constexpr std::size_t readPiece = std::size_t{4} << 20;

enum class Reading { Whole, Changed, Failed };

Reading readExactly(os::FileHandle file, std::string &content, const ProgressReport &progress) {
  for (std::size_t done = 0; done < content.size();) {
    const std::optional<std::size_t> got =
        os::readSome(file, content.data() + done, std::min(content.size() - done, readPiece));
    if (!got) {
      return Reading::Failed;
    }
    if (*got == 0) {
      return Reading::Changed;
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

// Closes a file however the reading ends, progress throwing included.
class ClosedAtEnd {
public:
  explicit ClosedAtEnd(os::FileHandle file) : file_(file) {}
  ClosedAtEnd(const ClosedAtEnd &) = delete;
  ClosedAtEnd &operator=(const ClosedAtEnd &) = delete;
  ~ClosedAtEnd() { os::close(file_); }

private:
  os::FileHandle file_;
};

struct ReadOutcome {
  Reading reading;
  os::ErrorCode error;
};

// Fills content from file and closes it. A file that grew since it was measured would lose its
// tail: it counts as changed, like one that shrank.
ReadOutcome readAndClose(os::FileHandle file, std::string &content, const ProgressReport &progress) {
  const ClosedAtEnd closing(file);
  const Reading reading = readExactly(file, content, progress);
  const os::ErrorCode error = os::lastError();
  return {reading == Reading::Whole && !atEnd(file) ? Reading::Changed : reading, error};
}

} // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path &path, std::uint64_t largestSize,
                                         const std::string &tooLargeText, std::size_t spareRoom,
                                         const ProgressReport &progress, MessageSink &messages) {
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
  std::string content = reservedBuffer(size + spareRoom);
  content.resize(size);
  const std::optional<os::FileHandle> file = os::openForReading(path);
  if (!file) {
    return refuse(fileErrorText("read", path, os::lastError()));
  }
  const ReadOutcome outcome = readAndClose(*file, content, progress);
  if (outcome.reading == Reading::Failed) {
    return refuse(fileErrorText("read", path, outcome.error));
  }
  if (outcome.reading == Reading::Changed) {
    return refuse(cannot("read", path) + "it changed while it was being read.");
  }
  return content;
}

} // namespace orvelin
