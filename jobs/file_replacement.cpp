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
    discardTemporaryFile(*place_, *std::exchange(file_, std::nullopt));
  }
}

bool ContentReplacement::begin(const std::filesystem::path &path, const os::Place &place, const os::FileStamp &stamp,
                               MessageSink &messages) {
  path_ = path;
  place_ = &place;
  stamp_ = stamp;
  tidyAbandonedTemporaryFiles(place);
  file_ = createTemporaryFile(place);
  if (!file_) {
    return writeFailed(messages, path, os::lastError());
  }
  return true;
}

bool ContentReplacement::takeOver(MessageSink &messages) {
  switch (os::takeOverAttributes(*file_, *place_)) {
  case os::Takeover::done:
    return true;
  case os::Takeover::failed:
    break;
  case os::Takeover::groupLost:
    abandon();
    return reportFileError(messages, cannot("write", path_) +
                                         "the file belongs to a group you are not in, which the new file could not "
                                         "keep; that group's rights would go to another. " +
                                         fileUnchanged);
  case os::Takeover::attributesLost: {
    const os::ErrorCode error = os::lastError();
    abandon();
    return reportFileError(messages, cannot("write", path_) +
                                         "its access control list or extended attributes cannot be carried over: " +
                                         os::errorText(error) + ". " + fileUnchanged);
  }
  }
  return failed(os::lastError(), messages);
}

bool ContentReplacement::changedMeanwhile(MessageSink &messages) {
  abandon();
  return reportFileError(messages, cannot("write", path_) +
                                       "the file was changed while it was being rewritten; it has been left as it is "
                                       "now.");
}

bool ContentReplacement::append(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::optional<std::size_t> wrote = os::writeSome(file_->handle, bytes.data(), bytes.size());
    if (!wrote) {
      return false;
    }
    bytes.remove_prefix(*wrote);
  }
  return true;
}

bool ContentReplacement::failed(os::ErrorCode error, MessageSink &messages) {
  abandon();
  return writeFailed(messages, path_, error);
}

// The temporary file is the file now, whatever else is said of it: nothing is left to remove.
os::PrivateFile ContentReplacement::placedFile() { return *std::exchange(file_, std::nullopt); }

bool ContentReplacement::finish(MessageSink &messages) {
  // Once the temporary file holds the whole content on the disk with what the user chose for the
  // file, it takes the file's place; on a failure it goes, and the file keeps its old content.
  const std::optional<os::FileStamp> now = os::stampAt(*place_);
  if (!now) {
    return failed(os::lastError(), messages);
  }
  if (*now != stamp_) {
    return changedMeanwhile(messages);
  }
  if (!takeOver(messages)) {
    return false;
  }
  if (!os::flush(file_->handle) || !keepTemporaryFile(*place_, *file_)) {
    return failed(os::lastError(), messages);
  }
  switch (os::putInPlace(*file_, *place_, stamp_)) {
  case os::Placement::done: {
    // Its content reached the disk before it took the file's place; only the step itself may not.
    const os::PrivateFile file = placedFile();
    const bool recorded = os::recordPlacement(file, *place_);
    const os::ErrorCode error = os::lastError();
    os::close(file.handle);
    return recorded || reportFileError(messages, fileErrorText("write", path_, error) + " " + fileReplacedUnrecorded);
  }
  case os::Placement::failed:
    return failed(os::lastError(), messages);
  case os::Placement::changed:
    return changedMeanwhile(messages);
  case os::Placement::displaced: {
    const os::ErrorCode error = os::lastError();
    const os::PrivateFile file = placedFile();
    os::close(file.handle);
    return reportFileError(messages, fileErrorText("write", path_, error) +
                                         " The file holds its new content; what was at its name before is now " +
                                         quoted(place_->folderPath / file.name) + ".");
  }
  }
  return failed(os::lastError(), messages);
}

} // namespace orvelin
