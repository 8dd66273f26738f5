#include "file_replacement.h"

#include "early_writeback.h"
#include "file_error.h"
#include "temporary_files.h"

#include <algorithm>
#include <utility>

namespace orvelin {
namespace {

// Long writes go in pieces, so a full disk is met part-way through like on any large file.
constexpr std::size_t writePiece = std::size_t{1} << 20;

bool writeFailed(MessageSink &messages, const std::filesystem::path &path, os::ErrorCode error) {
  return reportFileError(messages, fileErrorText("write", path, error) + " " + fileUnchanged);
}

bool writeAll(os::FileHandle file, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const std::optional<std::size_t> wrote =
        os::writeSome(file, bytes.data() + done, std::min(bytes.size() - done, writePiece));
    if (!wrote) {
      return false;
    }
    done += *wrote;
  }
  return true;
}

// Closes the temporary file and, once it holds the whole content on the disk with what the user
// chose for the target, puts it in the target's place.
os::Placement completeAndPutInPlace(os::FileHandle file, const std::filesystem::path &temporary,
                                    const std::filesystem::path &target) {
  if (!os::takeOverAttributes(file, target) || !os::flush(file)) {
    const os::ErrorCode error = os::lastError();
    os::close(file);
    return {os::Placement::Outcome::Unchanged, error, std::nullopt};
  }
  if (!os::close(file)) {
    return {os::Placement::Outcome::Unchanged, os::lastError(), std::nullopt};
  }
  return os::putInPlace(temporary, target);
}

// The file is gone from its path, and nothing could be put back: the user has to, and is told from where.
bool displaced(MessageSink &messages, const std::filesystem::path &path, const os::Placement &placement,
               const std::filesystem::path &temporary) {
  std::string text = fileErrorText("write", path, placement.error) +
                     " The file is no longer there; its new content is in " + quoted(temporary);
  if (placement.oldContent) {
    text += " and its old content in " + quoted(*placement.oldContent);
  }
  return reportFileError(messages, text + ".");
}

} // namespace

bool checkReplaceable(const std::filesystem::path &path, MessageSink &messages) {
  const std::optional<bool> readOnly = os::isReadOnly(path);
  if (!readOnly) {
    return reportFileError(messages, fileErrorText("read", path, os::lastError()));
  }
  if (*readOnly) {
    return reportFileError(messages, cannot("change", path) + "the file is read-only.");
  }
  return true;
}

ContentReplacement::~ContentReplacement() { abandon(); }

void ContentReplacement::abandon() {
  if (file_) {
    os::close(*std::exchange(file_, std::nullopt));
    os::removeFile(temporary_);
  }
}

bool ContentReplacement::begin(const std::filesystem::path &path, MessageSink &messages) {
  path_ = path;
  const std::optional<std::filesystem::path> target = os::finalTarget(path);
  if (!target) {
    return writeFailed(messages, path, os::lastError());
  }
  target_ = *target;
  tidyAbandonedTemporaryFiles(target_);
  file_ = createTemporaryFile(target_, temporary_);
  return file_ || writeFailed(messages, path, os::lastError());
}

bool ContentReplacement::append(std::string_view bytes) {
  if (!writeAll(*file_, bytes)) {
    return false;
  }
  os::startWriteback(*file_, written_, bytes.size());
  written_ += bytes.size();
  return true;
}

bool ContentReplacement::failed(os::ErrorCode error, MessageSink &messages) {
  abandon();
  return writeFailed(messages, path_, error);
}

bool ContentReplacement::finish(MessageSink &messages) {
  const os::Placement placement = completeAndPutInPlace(*std::exchange(file_, std::nullopt), temporary_, target_);
  if (placement.outcome == os::Placement::Outcome::Unchanged) {
    os::removeFile(temporary_);
    return writeFailed(messages, path_, placement.error);
  }
  if (placement.outcome == os::Placement::Outcome::Displaced) {
    return displaced(messages, path_, placement, temporary_);
  }
  if (placement.oldContent) {
    // The job is done, but the content it replaced (the readable one, after an encryption) is
    // still on the disk: the user must know.
    reportFileError(messages, fileErrorText("remove", *placement.oldContent, placement.error) +
                                  " It holds the old content of " + quoted(path_) + ", which has been rewritten.");
  }
  return true;
}

} // namespace orvelin
