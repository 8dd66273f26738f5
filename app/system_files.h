#pragma once
// The file system as the jobs use it, the same on every platform: POSIX calls in
// system_files_posix.cpp, the wide Win32 API in system_files_windows.cpp. Each reaches the system
// only through its table of calls (file_system_calls.h), where tests can make any step fail. A call
// that fails leaves its reason in lastError().

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace orvelin::os {

#ifdef _WIN32
using ErrorCode = unsigned long; // as GetLastError() gives it
using FileHandle = void *;       // a HANDLE
#else
using ErrorCode = int; // errno
using FileHandle = int;
#endif

using Path = std::filesystem::path;

ErrorCode lastError();

// The system's own words for an error, in UTF-8, on one line, without a final full stop.
std::string errorText(ErrorCode error);

// A name as a search of its folder sees it.
struct FolderEntry {
  bool ordinaryFile; // an existing file, not a folder (a link counts as what it leads to)
  bool hidden;       // kept out of an ordinary search: a name starting with "." (POSIX); the hidden or
                     // system attribute (Windows)
};
FolderEntry searchFolderFor(const Path &name);

struct FileFacts {
  bool regular;
  std::uint64_t size;
};
std::optional<FileFacts> factsOf(const Path &file);

// Whether the user has marked the file as not to be changed; nothing when that cannot be told.
std::optional<bool> isReadOnly(const Path &file);

std::optional<FileHandle> openForReading(const Path &file);
// Up to count bytes: how many were read (0 at the end of the file), or nothing on a failure.
std::optional<std::size_t> readSome(FileHandle file, char *buffer, std::size_t count);
// Up to count bytes, at least one: how many were written, or nothing on a failure.
std::optional<std::size_t> writeSome(FileHandle file, const char *bytes, std::size_t count);
bool close(FileHandle file);

// The absolute path of the file itself that a path names: through every symbolic link (POSIX).
std::optional<Path> finalTarget(const Path &file);

// Creates a new file at name for this process alone to write: private (POSIX) or hidden (Windows),
// and, while it is open, kept from tidyAbandoned. Fails with an error nameTaken() recognises when
// something has that name already.
std::optional<FileHandle> createPrivateFile(const Path &name);
bool nameTaken(ErrorCode error);

// Gives an open file what the user chose for target: owner and permission bits (POSIX), attributes
// (Windows).
bool takeOverAttributes(FileHandle file, const Path &target);

// Returns once the file's content is on the disk.
bool flush(FileHandle file);

// Where putInPlace left the old and the new content. Target never holds part of either.
struct Placement {
  enum class Outcome {
    Replaced,  // target holds the new content
    Unchanged, // target holds the old content; the new one is still under the replacement's name
    Displaced, // target holds nothing; the new content is still under the replacement's name
  };
  Outcome outcome;
  ErrorCode error;                // why the new content is not in place, or why oldContent is still there
  std::optional<Path> oldContent; // another name that still holds the old content, if any
};

// Puts the closed file replacement in place of target, in one step where the platform allows, and
// makes the step durable.
Placement putInPlace(const Path &replacement, const Path &target);

void removeFile(const Path &file);

// Removes a file made by createPrivateFile unless it is still open: one whose process died.
void removeIfAbandoned(const Path &file);

} // namespace orvelin::os
