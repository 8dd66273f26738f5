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
// How far behind the newest bytes the cache of the written ones is given back: far enough that
// their writeback, started as they were written, has had time to end.
constexpr std::uint64_t releaseLag = std::uint64_t{8} << 20;

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
    discardTemporaryFile(*std::exchange(file_, std::nullopt));
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
  file_ = createTemporaryFile(target_);
  return file_ || writeFailed(messages, path, os::lastError());
}

bool ContentReplacement::append(std::string_view bytes) {
  if (!writeAll(file_->handle, bytes)) {
    return false;
  }
  os::startWriteback(file_->handle, written_, bytes.size());
  written_ += bytes.size();
  if (written_ >= released_ + 2 * releaseLag) {
    os::releaseWritten(file_->handle, released_, written_ - releaseLag - released_);
    released_ = written_ - releaseLag;
  }
  return true;
}

bool ContentReplacement::failed(os::ErrorCode error, MessageSink &messages) {
  abandon();
  return writeFailed(messages, path_, error);
}

bool ContentReplacement::finish(MessageSink &messages) {
  // Once the temporary file holds the whole content on the disk with what the user chose for the
  // target, it takes the target's place; on a failure it goes, and the target keeps its old content.
  if (!os::takeOverAttributes(file_->handle, target_) || !os::flush(file_->handle) ||
      !keepTemporaryFile(*file_, target_) || !os::putInPlace(*file_, target_)) {
    return failed(os::lastError(), messages);
  }
  // The content reached the disk before it took the target's place; nothing is left to report.
  os::close(std::exchange(file_, std::nullopt)->handle);
  return true;
}

} // namespace orvelin
