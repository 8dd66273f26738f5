#include "system_facts.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace orvelin::cli {

std::uint64_t physicalMemory() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGE_SIZE);
  return pages > 0 && pageSize > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) : 0;
}

bool standardErrorRedraws() { return ::isatty(STDERR_FILENO) != 0; }

int standardErrorColumns() {
  winsize size{};
  return ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}

} // namespace orvelin::cli
