#include "window_design.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace orvelin {

std::size_t controlIndex(const WindowDesign &design, std::string_view name) {
  const auto found = std::ranges::find(design.controls, name, &ControlDesign::name);
  if (found == design.controls.end()) {
    throw std::out_of_range(std::string(design.name) + " has no control \"" + std::string(name) + "\"");
  }
  return static_cast<std::size_t>(found - design.controls.begin());
}

} // namespace orvelin
