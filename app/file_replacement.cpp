#include "file_replacement.h"

#include "file_error.h"
#include "system_files.h"
#include "temporary_files.h"

#include <algorithm>

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

// Writes the content to the temporary file. Should progress throw, the temporary file is closed
// and removed before the exception goes on: the target was never touched.
bool writeAllOrRemove(os::FileHandle file, std::string_view bytes, const std::filesystem::path &temporary,
                      const ProgressReport &progress) {
  try {
    return writeAll(file, bytes, progress);
  } catch (...) {
    os::close(file);
    os::removeFile(temporary);
    throw;
  }
}

// Closes the temporary file and, once it holds the whole content on the disk with what the user
// chose for the target, puts it in the target's place.
os::Placement completeAndPutInPlace(os::FileHandle file, std::string_view bytes, const std::filesystem::path &temporary,
                                    const std::filesystem::path &target, const ProgressReport &progress) {
  if (!writeAllOrRemove(file, bytes, temporary, progress) || !os::takeOverAttributes(file, target) ||
      !os::flush(file)) {
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

bool replaceFileContent(const std::filesystem::path &path, std::string_view bytes, const ProgressReport &progress,
                        MessageSink &messages) {
  const std::optional<std::filesystem::path> target = os::finalTarget(path);
  if (!target) {
    return failed(messages, path, os::lastError());
  }
  tidyAbandonedTemporaryFiles(*target);
  std::filesystem::path temporary;
  const std::optional<os::FileHandle> file = createTemporaryFile(*target, temporary);
  if (!file) {
    return failed(messages, path, os::lastError());
  }
  const os::Placement placement = completeAndPutInPlace(*file, bytes, temporary, *target, progress);
  if (placement.outcome == os::Placement::Outcome::Unchanged) {
    os::removeFile(temporary);
    return failed(messages, path, placement.error);
  }
  if (placement.outcome == os::Placement::Outcome::Displaced) {
    return displaced(messages, path, placement, temporary);
  }
  if (placement.oldContent) {
    // The job is done, but the content it replaced (the readable one, after an encryption) is
    // still on the disk: the user must know.
    reportFileError(messages, fileErrorText("remove", *placement.oldContent, placement.error) +
                                  " It holds the old content of " + quoted(path) + ", which has been rewritten.");
  }
  return true;
}

} // namespace orvelin
