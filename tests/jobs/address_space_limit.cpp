#include "address_space_limit.h"

#include <fstream>
#include <stdexcept>
#include <string>

namespace orvelin::testing {
namespace {

std::size_t mappedBytes() {
  std::ifstream status("/proc/self/status");
  for (std::string field; status >> field;) {
    if (field == "VmSize:") {
      std::size_t kibibytes = 0;
      status >> kibibytes;
      return kibibytes * 1024;
    }
  }
  throw std::runtime_error("no VmSize in /proc/self/status");
}

} // namespace

AddressSpaceLimit::AddressSpaceLimit(std::size_t headroom) {
  ::getrlimit(RLIMIT_AS, &previous_);
  const rlimit limited{mappedBytes() + headroom, previous_.rlim_max};
  if (::setrlimit(RLIMIT_AS, &limited) != 0) {
    throw std::runtime_error("the address space cannot be limited");
  }
}

AddressSpaceLimit::~AddressSpaceLimit() { ::setrlimit(RLIMIT_AS, &previous_); }

} // namespace orvelin::testing
