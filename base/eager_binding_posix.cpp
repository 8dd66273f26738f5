#include "eager_binding.h"

#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/auxv.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace orvelin {
namespace {

constexpr const char *variable = "LD_BIND_NOW";
// The very file that runs, even once its path names another (a package upgrade).
constexpr const char *self = "/proc/self/exe";

// The system keeps the path each exec was given: this one is the run the program started itself.
bool startedAgain() {
  const auto *path = reinterpret_cast<const char *>(::getauxval(AT_EXECFN));
  return path != nullptr && std::string_view(path) == self && std::getenv(variable) != nullptr;
}

// Out of the environment that the processes it starts get, and out of the bytes that
// /proc/PID/environ and ps show, where unsetenv leaves them (nothing else reads them).
void forgetVariable() {
  const std::string prefix = std::string(variable) + "=";
  char *shown = nullptr;
  for (char **entry = environ; *entry != nullptr; ++entry) {
    if (std::string_view(*entry).starts_with(prefix)) {
      shown = *entry;
    }
  }
  if (::unsetenv(variable) == 0 && shown != nullptr) {
    std::memset(shown, 0, std::strlen(shown));
  }
}

// The system names the process after the file an exec was given, which was "exe": the name of the
// program's file again, in ps, top and /proc/PID/comm.
void takeBackName() {
  std::array<char, PATH_MAX + 1> path{};
  const ssize_t length = ::readlink(self, path.data(), path.size() - 1);
  if (length <= 0) {
    return;
  }
  std::string_view name(path.data(), static_cast<std::size_t>(length));
  constexpr std::string_view deleted = " (deleted)";
  if (name.ends_with(deleted)) {
    name.remove_suffix(deleted.size());
  }
  name.remove_prefix(name.rfind('/') + 1);
  // The system keeps 15 bytes of it. A name it refuses leaves "exe", which only ps shows.
  [[maybe_unused]] const int named = ::prctl(PR_SET_NAME, std::string(name.substr(0, 15)).c_str());
}

} // namespace

void restartWithEagerBinding(char *argv[]) {
  if (startedAgain()) {
    forgetVariable();
    takeBackName();
    return;
  }
  // Set already, by the user, it stays for what the program starts.
  if (std::getenv(variable) != nullptr || ::setenv(variable, "1", 1) != 0) {
    return;
  }
  ::execv(self, argv);
  // Not started again: the program goes on, lazily bound, and so must anything it starts.
  ::unsetenv(variable);
}

} // namespace orvelin
