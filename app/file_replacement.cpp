#include "file_replacement.h"

#include "file_error.h"
#include "system_files.h"
#include "temporary_files.h"

#include <algorithm>
#include <optional>

namespace orvelin {
namespace {

// Long writes go in pieces, so a full disk is met part-way through like on any large file.
constexpr std::size_t writePiece = std::size_t{1} << 20;

bool failed(MessageSink &messages, const std::filesystem::path &path, os::ErrorCode error) {
  return reportFileError(messages, fileErrorText("write", path, error) + " " + fileUnchanged);
}

bool writeAll(os::FileHandle file, std::string_view bytes, const ProgressReport &progress) {
  for (std::size_t done = 0; done < bytes.size();) {
    const std::optional<std::size_t> wrote =
        os::writeSome(file, bytes.data() + done, std::min(bytes.size() - done, writePiece));
    if (!wrote) {
      return false;
    }
    done += *wrote;
    progress(Work::Writing, done, bytes.size());
  }
  return true;
}

// Writes the content to the temporary file. Should progress throw, the temporary file is discarded
// before the exception goes on: the target was never touched.
bool writeAllOrDiscard(const os::PrivateFile &file, std::string_view bytes, const ProgressReport &progress) {
  try {
    return writeAll(file.handle, bytes, progress);
  } catch (...) {
    discardTemporaryFile(file);
    throw;
  }
}

// Once the temporary file holds the whole content on the disk with what the user chose for the
// target, puts it in the target's place and closes it; on a failure, discards it and says why the
// target still holds its old content.
std::optional<os::ErrorCode> completeAndPutInPlace(os::PrivateFile &file, std::string_view bytes,
                                                   const std::filesystem::path &target,
                                                   const ProgressReport &progress) {
  if (!writeAllOrDiscard(file, bytes, progress) || !os::takeOverAttributes(file.handle, target) ||
      !os::flush(file.handle) || !keepTemporaryFile(file, target) || !os::putInPlace(file, target)) {
    const os::ErrorCode error = os::lastError();
    discardTemporaryFile(file);
    return error;
  }
  // The content reached the disk before it took the target's place; nothing is left to report.
  os::close(file.handle);
  return std::nullopt;
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

bool replaceFileContent(const std::filesystem::path &path, std::string_view bytes, const ProgressReport &progress,
                        MessageSink &messages) {
  const std::optional<std::filesystem::path> target = os::finalTarget(path);
  if (!target) {
    return failed(messages, path, os::lastError());
  }
  tidyAbandonedTemporaryFiles(*target);
  std::optional<os::PrivateFile> file = createTemporaryFile(*target);
  if (!file) {
    return failed(messages, path, os::lastError());
  }
  if (const std::optional<os::ErrorCode> error = completeAndPutInPlace(*file, bytes, *target, progress)) {
    return failed(messages, path, *error);
  }
  return true;
}

} // namespace orvelin
