#include "system_files.h"

#include "file_system_calls.h"
#include "unicode_text.h"

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

// ReplaceFileW could not do the step, and a rename can: the file system lacks the call, or the
// replaced file is already gone and the new content waits under its temporary name.
bool renameInstead(DWORD error) {
  return error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
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

bool putInPlace(const Path &replacement, const Path &target) {
  const FileSystemCalls &fs = fileSystem();
  // A file another program holds without letting it be deleted cannot be replaced; that is found out
  // before anything moves. (Some ReplaceFileW move the file aside first and, when they cannot, leave
  // their own temporary file behind.)
  const HANDLE replaced = fs.createFile(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
  if (replaced == INVALID_HANDLE_VALUE) {
    return false;
  }
  fs.closeHandle(replaced);
  // ReplaceFileW keeps the replaced file's security descriptor, which a rename would lose.
  if (fs.replaceFile(target.c_str(), replacement.c_str(), nullptr, 0, nullptr, nullptr) != FALSE) {
    return true;
  }
  return renameInstead(GetLastError()) && fs.moveFileEx(replacement.c_str(), target.c_str(),
                                                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void removeFile(const Path &file) { fileSystem().deleteFile(file.c_str()); }

// The file of a live job is open without sharing, so only an abandoned one can be deleted.
void removeIfAbandoned(const Path &file) { removeFile(file); }

} // namespace orvelin::os
