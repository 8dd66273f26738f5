#pragma once

#include "app/file_system_calls.h"
#include "app/system_files.h"
#include "tests/crypto/interception.h"

#include <type_traits>

#ifdef _WIN32
#include "crypto/windows_api.h"
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
inline constexpr FileCall contentRead = FileCall::Read;
inline constexpr FileCall contentWrite = FileCall::Write;
inline constexpr os::ErrorCode noSuchFile = ENOENT;
#endif

// While it lives, every file-system call of the jobs goes through it: it logs each call and makes
// the chosen ones fail with a chosen error code.
class FileSystemFaults : public Interception<FileSystemFaults, FileSystemCalls, FileCall, os::ErrorCode> {
public:
  FileSystemFaults();

#ifdef _WIN32
  template <typename Result> static Result failWith(os::ErrorCode error) {
    SetLastError(error);
    if constexpr (std::is_same_v<Result, HANDLE>) {
      return INVALID_HANDLE_VALUE;
    } else {
      return Result{0};
    }
  }
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
