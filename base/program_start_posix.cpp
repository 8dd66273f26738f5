#include "program_start.h"

#include "eager_binding.h"

#include <cerrno>
#include <csignal>
#include <iostream>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <system_error>

namespace orvelin {
namespace {

void warn(const char *name, const char *what) {
  const int error = errno;
  std::cerr << name << ": warning: " << what << ": " << std::generic_category().message(error) << '\n';
}

} // namespace

void startProgram(char *argv[], const char *name) {
  restartWithEagerBinding(argv);
  // Only now: an exec makes a process dumpable again. Not dumpable, it gets no core dump at all, not
  // even through a core_pattern pipe (systemd-coredump), which heeds no size limit, and no other
  // process of the user may read its memory. The limit of 0, which it cannot raise again, is the
  // portable switch, and holds for a crash that comes after something set the flag back.
  const rlimit noCore{0, 0};
  if (::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) != 0 || ::setrlimit(RLIMIT_CORE, &noCore) != 0) {
    warn(name, "core dumps cannot be switched off, so a crash could leave the password in one");
  }
  struct sigaction ignored {};
  ignored.sa_handler = SIG_IGN;
  ::sigemptyset(&ignored.sa_mask);
  if (::sigaction(SIGXFSZ, &ignored, nullptr) != 0) {
    warn(name, "SIGXFSZ cannot be ignored, so a file-size limit would end the program without a word");
  }
}

} // namespace orvelin
