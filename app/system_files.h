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

// The absolute path of the file itself that a path names, through every symbolic link. Where Windows
// cannot name it (some RAM disks and network file systems), a file that is no link is its own, and a
// link fails with ERROR_CANT_RESOLVE_FILENAME.
std::optional<Path> finalTarget(const Path &file);

// A file this process alone writes, to take another's place. Until keepPrivateFile, the system
// removes it should the process end, so that a crash leaves none of its content behind: it has no
// name yet (POSIX, where the file system has unnamed files) or is marked for deletion when its
// handle closes (Windows). Elsewhere it is at its name from the start, a private file that
// removeIfAbandoned leaves alone while this process holds it.
struct PrivateFile {
  FileHandle handle;
  Path name;  // where it is, or is to be once kept
  bool named; // whether it would outlast this process under name
};

// Creates a new private file for name, private (POSIX) or hidden (Windows), and held from
// removeIfAbandoned while it is open. Fails with an error nameTaken() recognises when the file
// takes its name at once and something has that name already.
std::optional<PrivateFile> createPrivateFile(const Path &name);
bool nameTaken(ErrorCode error);

// Gives an open file what the user chose for target: owner and permission bits (POSIX), attributes
// and security descriptor (Windows), attributes and Unix mode (Wine).
bool takeOverAttributes(const PrivateFile &file, const Path &target);

// Returns once the file's content is on the disk.
bool flush(FileHandle file);

// Lets the file outlast this process under its name, which it takes now if it has none (failing with
// an error nameTaken() recognises should something have that name already), still held from
// removeIfAbandoned while it is open.
bool keepPrivateFile(PrivateFile &file);

// Puts the kept, still open file in place of target in one atomic step. On a failure target still
// holds its old content, and file is where it was.
bool putInPlace(const PrivateFile &file, const Path &target);

// Makes the step of putInPlace durable. Its failure cannot undo the step: target then holds the new
// content, which the disk may not keep.
bool recordPlacement(const PrivateFile &file, const Path &target);

void removeFile(const Path &file);

// Removes a file made by createPrivateFile unless it is still open: one whose process died.
void removeIfAbandoned(const Path &file);

} // namespace orvelin::os
