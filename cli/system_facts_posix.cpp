#include "system_facts.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace orvelin::cli {

bool standardErrorRedraws() { return ::isatty(STDERR_FILENO) != 0; }

int standardErrorColumns() {
  winsize size{};
  return ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}

} // namespace orvelin::cli
