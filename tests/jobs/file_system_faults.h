#pragma once

#include "jobs/file_system_calls.h"
#include "jobs/system_files.h"
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
  GetFinalPathNameByHandleW,
  CreateFileW,
  ReadFile,
  WriteFile,
  GetFileInformationByHandle,
  SetFileInformationByHandle,
  FlushFileBuffers,
  CloseHandle,
  GetSecurityInfo,
  SetSecurityInfo,
  DeleteFileW,
  WineGetUnixFileName,
  WineUnixSpawnvp,
};
inline constexpr FileCall contentRead = FileCall::ReadFile;
inline constexpr FileCall contentWrite = FileCall::WriteFile;
inline constexpr os::ErrorCode noSuchFile = ERROR_FILE_NOT_FOUND;
#else
enum class FileCall {
  Realpath,
  Access,
  Openat,
  Fstatat,
  Read,
  Write,
  Fchown,
  Fchmod,
  Flistxattr,
  Fgetxattr,
  Fsetxattr,
  Fremovexattr,
  Flock,
  Fsync,
  Close,
  Linkat,
  Renameat2,
  Unlinkat,
};
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

// While it lives, every file-system call of the jobs goes through it: it logs each call and makes
// the chosen ones fail with a chosen error code.
class FileSystemFaults : public Interception<FileSystemFaults, FileSystemCalls, FileCall, os::ErrorCode> {
public:
  FileSystemFaults();

  // As a fault's code: the process kills itself at that call, as a crash or a power cut would end
  // it (SIGKILL; TerminateProcess).
  static constexpr os::ErrorCode killProcess = static_cast<os::ErrorCode>(-1);

  template <typename Result> static Result failWith(os::ErrorCode error) {
#ifdef _WIN32
    if (error == killProcess) {
      TerminateProcess(GetCurrentProcess(), killedExitCode);
    }
    SetLastError(error);
    if constexpr (std::is_same_v<Result, HANDLE>) {
      return INVALID_HANDLE_VALUE;
    } else {
      return Result{0};
    }
#else
    if (error == killProcess) {
      (void)::raise(SIGKILL);
    }
    errno = error;
    if constexpr (std::is_pointer_v<Result>) {
      return nullptr;
    } else {
      return Result{-1};
    }
#endif
  }
#ifdef _WIN32
  // The exit code of a process killed through killProcess.
  static constexpr UINT killedExitCode = 137;
#endif
};

#ifdef _WIN32
// While it lives, the jobs take the steps they take on Windows even under Wine: Wine's own calls are
// gone from the table. Made after a FileSystemFaults, it keeps that one's interception.
class WindowsSteps {
public:
  WindowsSteps() : calls_(withoutWine(fileSystem())), scope_(calls_) {}

private:
  static FileSystemCalls withoutWine(FileSystemCalls calls) {
    calls.wineGetUnixFileName = nullptr;
    calls.wineUnixSpawnvp = nullptr;
    return calls;
  }

  const FileSystemCalls calls_;
  const ScopedFileSystemCalls scope_;
};
#endif

} // namespace orvelin::testing
