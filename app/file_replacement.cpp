#include "file_replacement.h"

#include "file_error.h"
#include "temporary_files.h"

#include <utility>

namespace orvelin {
namespace {

bool writeFailed(MessageSink &messages, const std::filesystem::path &path, os::ErrorCode error) {
  return reportFileError(messages, fileErrorText("write", path, error) + " " + fileUnchanged);
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
  if (!file_) {
    return writeFailed(messages, path, os::lastError());
  }
  appends_.emplace(file_->handle);
  return true;
}

bool ContentReplacement::append(std::string_view bytes) { return appends_->append(bytes); }

bool ContentReplacement::failed(os::ErrorCode error, MessageSink &messages) {
  abandon();
  return writeFailed(messages, path_, error);
}

bool ContentReplacement::finish(MessageSink &messages) {
  // Once the temporary file holds the whole content on the disk with what the user chose for the
  // target, it takes the target's place; on a failure it goes, and the target keeps its old content.
  if (!appends_->finish() || !os::takeOverAttributes(*file_, target_) || !os::flush(file_->handle) ||
      !keepTemporaryFile(*file_, target_) || !os::putInPlace(*file_, target_)) {
    return failed(os::lastError(), messages);
  }
  // The temporary file is the target now, whatever the disk says of it: nothing is left to remove.
  // Its content reached the disk before it took the target's place; only the step itself may not.
  const os::PrivateFile placed = *std::exchange(file_, std::nullopt);
  const bool recorded = os::recordPlacement(placed, target_);
  const os::ErrorCode error = os::lastError();
  os::close(placed.handle);
  return recorded || reportFileError(messages, fileErrorText("write", path_, error) + " " + fileReplacedUnrecorded);
}

} // namespace orvelin
