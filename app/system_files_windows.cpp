#include "system_files.h"

#include "base/unicode_text.h"
#include "file_system_calls.h"
#include "temporary_files.h"

#include <algorithm>
#include <array>

namespace orvelin::os {
namespace {

// What one ReadFile or WriteFile is asked to move at most; its count is 32 bits wide.
constexpr std::size_t largestTransfer = std::size_t{1} << 30;

// The attributes a user may give a file that a new file can take over. Read-only is not among them:
// such a file is never replaced.
constexpr DWORD transferableAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                         FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE |
                                         FILE_ATTRIBUTE_TEMPORARY;

// The longest path the wide API takes.
constexpr std::size_t longestPath = 32768;

std::optional<WIN32_FILE_ATTRIBUTE_DATA> attributesOf(const Path &file) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (fileSystem().getFileAttributesEx(file.c_str(), GetFileExInfoStandard, &data) == FALSE) {
    return std::nullopt;
  }
  return data;
}

// The file system lacks ReplaceFileW, and a rename does the step instead.
bool renameInstead(DWORD error) { return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION; }

// Returns once the move is on the disk.
bool move(const Path &from, const Path &to, DWORD flags) {
  return fileSystem().moveFileEx(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// The new content is in place; the old file, if it was set aside under backup, goes.
Placement replacedRemoving(const Path &backup) {
  if (fileSystem().deleteFile(backup.c_str()) != FALSE || GetLastError() == ERROR_FILE_NOT_FOUND) {
    return {Placement::Outcome::Replaced, ERROR_SUCCESS, std::nullopt};
  }
  return {Placement::Outcome::Replaced, GetLastError(), backup};
}

// ReplaceFileW failed with error: the new content is still under replacement's name, and the old
// file either still at target or set aside under backup; a ReplaceFileW that ignores its backup
// name may even have removed it.
Placement recover(const Path &replacement, const Path &target, const Path &backup, DWORD error) {
  if (attributesOf(target)) {
    // Some ReplaceFileW copy the file under backup before they fail.
    removeFile(backup);
    if (!renameInstead(error)) {
      return {Placement::Outcome::Unchanged, error, std::nullopt};
    }
    if (move(replacement, target, MOVEFILE_REPLACE_EXISTING)) {
      return {Placement::Outcome::Replaced, ERROR_SUCCESS, std::nullopt};
    }
    return {Placement::Outcome::Unchanged, GetLastError(), std::nullopt};
  }
  // The old file goes back, or else the new one takes the empty place; neither over a file that
  // has appeared there since.
  if (move(backup, target, 0)) {
    return {Placement::Outcome::Unchanged, error, std::nullopt};
  }
  const bool setAside = GetLastError() != ERROR_FILE_NOT_FOUND;
  if (move(replacement, target, 0)) {
    return replacedRemoving(backup);
  }
  return {Placement::Outcome::Displaced, error, setAside ? std::optional(backup) : std::nullopt};
}

} // namespace

ErrorCode lastError() { return GetLastError(); }

std::string errorText(ErrorCode error) {
  std::array<wchar_t, 512> text{};
  // The message on one line: its own line breaks become blanks.
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                     nullptr, error, 0, text.data(), static_cast<DWORD>(text.size()), nullptr);
  if (length == 0) {
    return "system error " + std::to_string(error);
  }
  std::string reason = utf8Of(std::wstring_view(text.data(), length));
  while (!reason.empty() &&
         (reason.back() == ' ' || reason.back() == '.' || reason.back() == '\r' || reason.back() == '\n')) {
    reason.pop_back();
  }
  return reason;
}

FolderEntry searchFolderFor(const Path &name) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(name.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return {false, false};
  }
  FindClose(search);
  return {(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0,
          (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0};
}

std::optional<FileFacts> factsOf(const Path &file) {
  const std::optional<WIN32_FILE_ATTRIBUTE_DATA> data = attributesOf(file);
  if (!data) {
    return std::nullopt;
  }
  return FileFacts{(data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0,
                   (std::uint64_t{data->nFileSizeHigh} << 32) | data->nFileSizeLow};
}

std::optional<bool> isReadOnly(const Path &file) {
  const std::optional<WIN32_FILE_ATTRIBUTE_DATA> data = attributesOf(file);
  if (!data) {
    return std::nullopt;
  }
  return (data->dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::optional<FileHandle> openForReading(const Path &file) {
  // Others may read along, but no program may write to the file while it is read.
  const HANDLE handle = fileSystem().createFile(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  return handle != INVALID_HANDLE_VALUE ? std::optional(handle) : std::nullopt;
}

std::optional<std::size_t> readSome(FileHandle file, char *buffer, std::size_t count) {
  DWORD got = 0;
  if (fileSystem().readFile(file, buffer, static_cast<DWORD>(std::min(count, largestTransfer)), &got, nullptr) ==
      FALSE) {
    return std::nullopt;
  }
  return got;
}

std::optional<std::size_t> writeSome(FileHandle file, const char *bytes, std::size_t count) {
  DWORD wrote = 0;
  if (fileSystem().writeFile(file, bytes, static_cast<DWORD>(std::min(count, largestTransfer)), &wrote, nullptr) ==
      FALSE) {
    return std::nullopt;
  }
  if (wrote == 0) {
    // Nothing taken and no error: there is no room left.
    SetLastError(ERROR_DISK_FULL);
    return std::nullopt;
  }
  return wrote;
}

bool close(FileHandle file) { return fileSystem().closeHandle(file) != FALSE; }

std::optional<Path> finalTarget(const Path &file) {
  // ReplaceFileW wants whole paths.
  std::wstring full(longestPath, L'\0');
  const DWORD length =
      fileSystem().getFullPathName(file.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) {
    return std::nullopt;
  }
  full.resize(length);
  return Path(std::move(full));
}

std::optional<FileHandle> createPrivateFile(const Path &name) {
  // Shared with nobody: while it is open, even a delete fails, which is what keeps it from tidying.
  const HANDLE handle =
      fileSystem().createFile(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
  return handle != INVALID_HANDLE_VALUE ? std::optional(handle) : std::nullopt;
}

bool nameTaken(ErrorCode error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

bool takeOverAttributes(FileHandle file, const Path &target) {
  const std::optional<WIN32_FILE_ATTRIBUTE_DATA> data = attributesOf(target);
  if (!data) {
    return false;
  }
  // ReplaceFileW would merge them, a rename would not; nor does every ReplaceFileW. The times are
  // left as they are (zero).
  FILE_BASIC_INFO basic{};
  const DWORD kept = data->dwFileAttributes & transferableAttributes;
  basic.FileAttributes = kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
  return fileSystem().setFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic) != FALSE;
}

bool flush(FileHandle file) { return fileSystem().flushFileBuffers(file) != FALSE; }

Placement putInPlace(const Path &replacement, const Path &target) {
  const FileSystemCalls &fs = fileSystem();
  // A file another program holds without letting it be deleted cannot be replaced; that is found out
  // before anything moves.
  const HANDLE replaced = fs.createFile(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
  if (replaced == INVALID_HANDLE_VALUE) {
    return {Placement::Outcome::Unchanged, GetLastError(), std::nullopt};
  }
  fs.closeHandle(replaced);
  // ReplaceFileW keeps the replaced file's security descriptor, which a rename would lose. Without a
  // backup name it may remove the file before it fails to move the new one in; with one, the old
  // file is always under one of the two names. That name is a temporary one of the file's own, so
  // that what a crash leaves under it is tidied like the rest.
  const Path backup = temporaryName(target);
  if (fs.replaceFile(target.c_str(), replacement.c_str(), backup.c_str(), 0, nullptr, nullptr) != FALSE) {
    return replacedRemoving(backup);
  }
  return recover(replacement, target, backup, GetLastError());
}

void removeFile(const Path &file) { fileSystem().deleteFile(file.c_str()); }

// The file of a live job is open without sharing, so only an abandoned one can be deleted.
void removeIfAbandoned(const Path &file) { removeFile(file); }

} // namespace orvelin::os
