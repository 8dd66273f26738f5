#include "standard_error_messages.h"

#include <iostream>

namespace orvelin {

void StandardErrorMessages::show(const std::string &text, const std::string &title, MessageStyle /*style*/) {
  std::cerr << title << ": " << text << '\n';
}

} // namespace orvelin
