#pragma once

#include "app/file_system_calls.h"
#include "app/system_files.h"
#include "tests/crypto/interception.h"

#include <type_traits>

#ifdef _WIN32
#include "base/windows_api.h"
#else
#include <cerrno>
#include <csignal>
#endif

namespace orvelin::testing {

// The calls of the platform's table, by name.
#ifdef _WIN32
enum class FileCall {
  GetFileAttributesExW,
  GetFullPathNameW,
  CreateFileW,
  ReadFile,
  WriteFile,
  SetFileInformationByHandle,
  FlushFileBuffers,
  CloseHandle,
  ReplaceFileW,
  MoveFileExW,
  DeleteFileW,
};
inline constexpr FileCall factsRead = FileCall::GetFileAttributesExW;
inline constexpr FileCall contentRead = FileCall::ReadFile;
inline constexpr FileCall contentWrite = FileCall::WriteFile;
inline constexpr os::ErrorCode noSuchFile = ERROR_FILE_NOT_FOUND;
#else
enum class FileCall {
  Stat,
  Realpath,
  Access,
  Open,
  Read,
  Write,
  Fchown,
  Fchmod,
  Flock,
  Fsync,
  Close,
  Rename,
  Unlink,
};
inline constexpr FileCall factsRead = FileCall::Stat;
inline constexpr FileCall contentRead = FileCall::Read;
inline constexpr FileCall contentWrite = FileCall::Write;
inline constexpr os::ErrorCode noSuchFile = ENOENT;
#endif

// One call made to fail: its occurrence-th (counting from 1; 0 for every one), with that code.
struct Fault {
  FileCall call;
  int occurrence;
  os::ErrorCode error;
};

#ifdef _WIN32
// What a ReplaceFileW that fails has done with the replaced file by the time it returns.
enum class ReplacedFile {
  InPlace,     // nothing, as its documentation says for most failures
  CopiedAside, // copied under the backup name, as an implementation that copies for its backup may
  MovedAside,  // moved under the backup name (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
  Removed,     // removed (ERROR_UNABLE_TO_MOVE_REPLACEMENT, for a call without a backup name)
};
#endif

// While it lives, every file-system call of the jobs goes through it: it logs each call and makes
// the chosen ones fail with a chosen error code.
class FileSystemFaults : public Interception<FileSystemFaults, FileSystemCalls, FileCall, os::ErrorCode> {
public:
  FileSystemFaults();

#ifdef _WIN32
  // A ReplaceFileW made to fail leaves the replaced file so; in place unless told.
  void replaceFileLeaves(ReplacedFile state) { replacedFile_ = state; }
  // Does to the replaced file what a failing ReplaceFileW has done, with the platform's own calls.
  void leaveReplacedFile(const wchar_t *replaced, const wchar_t *backup) const;

  template <typename Result> static Result failWith(os::ErrorCode error) {
    SetLastError(error);
    if constexpr (std::is_same_v<Result, HANDLE>) {
      return INVALID_HANDLE_VALUE;
    } else {
      return Result{0};
    }
  }

private:
  ReplacedFile replacedFile_ = ReplacedFile::InPlace;
#else
  // As a fault's code: the process kills itself at that call, as a crash or a power cut would end it.
  static constexpr int killProcess = -1;

  template <typename Result> static Result failWith(int errorNumber) {
    if (errorNumber == killProcess) {
      (void)::raise(SIGKILL);
    }
    errno = errorNumber;
    if constexpr (std::is_pointer_v<Result>) {
      return nullptr;
    } else {
      return Result{-1};
    }
  }
#endif
};

} // namespace orvelin::testing
