#pragma once
// The splash window with which every run begins: a picture, a motto, and the timer that ends it.

#include "ui/window_design.h"

#include <string_view>

namespace orvelin {

// The names of the splash's controls, which its design gives them.
namespace StartupControls {
inline constexpr std::string_view motto = "Label1";
} // namespace StartupControls

extern const WindowDesign StartupDesign;

} // namespace orvelin
