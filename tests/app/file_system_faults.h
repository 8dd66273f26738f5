#pragma once

#include "app/file_system_calls.h"
#include "tests/crypto/interception.h"

#include <cerrno>
#include <csignal>

namespace orvelin::testing {

enum class FileCall {
  Stat,
  Realpath,
  Access,
  Open,
  Mkostemp,
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

// While it lives, every file-system call of the jobs goes through it: it logs each call and makes
// the chosen ones fail with a chosen error number.
class FileSystemFaults : public Interception<FileSystemFaults, FileSystemCalls, FileCall, int> {
public:
  FileSystemFaults();

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
};

} // namespace orvelin::testing
