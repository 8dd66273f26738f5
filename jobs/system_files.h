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

// Where a job's file is, found once through every symbolic link: its folder and its name there.
// Every later step goes by them, never by the path again, so that a link put at the path meanwhile
// cannot send the job to another file. On POSIX the folder is held open, and every step goes through
// it; on Windows a folder that holds an open file cannot be renamed, and its path serves.
struct Place {
  FileHandle folder; // POSIX only
  Path folderPath;
  Path name;
  [[nodiscard]] Path path() const { return folderPath / name; }
};
// The place of the file itself that a path names. Where Windows cannot name it (some RAM disks and
// network file systems), a file that is no link is its own, and a link fails with
// ERROR_CANT_RESOLVE_FILENAME.
std::optional<Place> placeOf(const Path &file);
void release(const Place &place);

// What tells one version of a file from another: which file it is, its size and its times.
struct FileStamp {
  std::uint64_t device;
  std::uint64_t file;
  std::uint64_t size;
  std::int64_t modified;
  std::int64_t changed; // POSIX only: a rename changes it
  bool operator==(const FileStamp &) const = default;
};

// The file at a place, open for reading, and how it was when it was opened.
struct Original {
  FileHandle handle;
  FileStamp stamp;
  bool regular; // a regular file; a folder, a FIFO or a device is open only to be closed
};
// Opens the file at place without following a link put there and without waiting for a FIFO's
// writer or a device.
std::optional<Original> openOriginal(const Place &place);

// What is at place's name now, the entry itself even if it is a link.
std::optional<FileStamp> stampAt(const Place &place);

// Whether openOriginal failed with error because nothing, or a link, is at the name now.
bool nameGone(ErrorCode error);
// Up to count bytes: how many were read (0 at the end of the file), or nothing on a failure.
std::optional<std::size_t> readSome(FileHandle file, char *buffer, std::size_t count);
// Up to count bytes, at least one: how many were written, or nothing on a failure.
std::optional<std::size_t> writeSome(FileHandle file, const char *bytes, std::size_t count);
bool close(FileHandle file);

// A file this process alone writes, to take another's place. Until keepPrivateFile, the system
// removes it should the process end, so that a crash leaves none of its content behind: it has no
// name yet (POSIX, where the file system has unnamed files) or is marked for deletion when its
// handle closes (Windows). Elsewhere it is at its name from the start, a private file that
// removeIfAbandoned leaves alone while this process holds it.
struct PrivateFile {
  FileHandle handle;
  Path name;  // where it is, or is to be once kept, in its place's folder
  bool named; // whether it would outlast this process under name
};

// Creates a new private file for name in place's folder, private (POSIX) or hidden (Windows), and
// held from removeIfAbandoned while it is open. Fails with an error nameTaken() recognises when the
// file takes its name at once and something has that name already.
std::optional<PrivateFile> createPrivateFile(const Place &place, const Path &name);
bool nameTaken(ErrorCode error);

// How taking over what the user chose for a file went.
enum class Takeover {
  done,
  failed,         // lastError() says why
  groupLost,      // the user is not in the file's group, whose rights would go to another
  attributesLost, // an access control list or an extended attribute could not be set; lastError()
};
// Gives an open file what the user chose for the file at place: owner, permission bits, access
// control list and the extended attributes a user may set (POSIX); attributes and security
// descriptor (Windows); attributes and Unix mode (Wine).
Takeover takeOverAttributes(const PrivateFile &file, const Place &place);

// Returns once the file's content is on the disk.
bool flush(FileHandle file);

// Lets the file outlast this process under its name, which it takes now if it has none (failing with
// an error nameTaken() recognises should something have that name already), still held from
// removeIfAbandoned while it is open.
bool keepPrivateFile(const Place &place, PrivateFile &file);

enum class Placement {
  done,
  failed,    // lastError() says why; place holds what it held, and file is where it was
  changed,   // place no longer holds the file as stamp says it was; nothing moved
  displaced, // file is at place, but what was there could not be removed from file's old name,
             // where it is now; lastError() says why
};
// Puts the kept, still open file at place in one atomic step, but only over the file that was read,
// as stamp says it was.
Placement putInPlace(const PrivateFile &file, const Place &place, const FileStamp &stamp);

// Makes the step of putInPlace durable. Its failure cannot undo the step: place then holds the new
// content, which the disk may not keep.
bool recordPlacement(const PrivateFile &file, const Place &place);

void removeFile(const Place &place, const Path &name);

// Removes a file made by createPrivateFile unless it is still open: one whose process died.
void removeIfAbandoned(const Place &place, const Path &name);

} // namespace orvelin::os
