#pragma once
// Too little memory, for real: while one lives, this process may map only `headroom` bytes more
// than it has mapped now. (Not under AddressSanitizer, whose shadow maps terabytes.)

#include <sys/resource.h>

#include <cstddef>

namespace orvelin::testing {

class AddressSpaceLimit {
public:
  explicit AddressSpaceLimit(std::size_t headroom);
  AddressSpaceLimit(const AddressSpaceLimit &) = delete;
  AddressSpaceLimit &operator=(const AddressSpaceLimit &) = delete;
  ~AddressSpaceLimit();

private:
  rlimit previous_{};
};

} // namespace orvelin::testing
