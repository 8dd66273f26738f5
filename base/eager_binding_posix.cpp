#include "eager_binding.h"

#include <cstdlib>
#include <unistd.h>

namespace orvelin {

void restartWithEagerBinding(char *argv[]) {
  static constexpr const char *variable = "LD_BIND_NOW";
  if (std::getenv(variable) != nullptr || ::setenv(variable, "1", 1) != 0) {
    return;
  }
  ::execv("/proc/self/exe", argv);
  // Not started again: the program goes on, lazily bound, and so must anything it starts.
  ::unsetenv(variable);
}

} // namespace orvelin
