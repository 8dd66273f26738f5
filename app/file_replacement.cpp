#include "file_replacement.h"

#include "file_error.h"
#include "system_files.h"
#include "temporary_files.h"

#include <algorithm>

namespace orvelin {
namespace {

// Long writes go in pieces, so a full disk is met part-way through like on any large file.
constexpr std::size_t writePiece = std::size_t{1} << 20;

bool failed(const std::filesystem::path &path, os::ErrorCode error) {
  return reportFileError(fileErrorText("write", path, error) + " The file has not been changed.");
}

bool writeAll(os::FileHandle file, std::string_view bytes) {
  while (!bytes.empty()) {
    const std::optional<std::size_t> wrote = os::writeSome(file, bytes.data(), std::min(bytes.size(), writePiece));
    if (!wrote) {
      return false;
    }
    bytes.remove_prefix(*wrote);
  }
  return true;
}

// Closes the temporary file and, once it holds the whole content on the disk with what the user
// chose for the target, puts it in the target's place. Nothing, or the reason of the step that failed.
std::optional<os::ErrorCode> completeAndPutInPlace(os::FileHandle file, std::string_view bytes,
                                                   const std::filesystem::path &temporary,
                                                   const std::filesystem::path &target) {
  if (!writeAll(file, bytes) || !os::takeOverAttributes(file, target) || !os::flush(file)) {
    const os::ErrorCode error = os::lastError();
    os::close(file);
    return error;
  }
  if (!os::close(file) || !os::putInPlace(temporary, target)) {
    return os::lastError();
  }
  return std::nullopt;
}

} // namespace

bool checkReplaceable(const std::filesystem::path &path) {
  const std::optional<bool> readOnly = os::isReadOnly(path);
  if (!readOnly) {
    return reportFileError(fileErrorText("read", path, os::lastError()));
  }
  if (*readOnly) {
    return reportFileError(cannot("change", path) + "the file is read-only.");
  }
  return true;
}

bool replaceFileContent(const std::filesystem::path &path, std::string_view bytes) {
  const std::optional<std::filesystem::path> target = os::finalTarget(path);
  if (!target) {
    return failed(path, os::lastError());
  }
  tidyAbandonedTemporaryFiles(*target);
  std::filesystem::path temporary;
  const std::optional<os::FileHandle> file = createTemporaryFile(*target, temporary);
  if (!file) {
    return failed(path, os::lastError());
  }
  if (const std::optional<os::ErrorCode> error = completeAndPutInPlace(*file, bytes, temporary, *target)) {
    os::removeFile(temporary);
    return failed(path, *error);
  }
  return true;
}

} // namespace orvelin
