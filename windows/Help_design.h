#pragma once
// How to use the program, and a notice on its warranty.

#include "ui/window_design.h"

#include <string_view>

namespace orvelin {

// The names of Help's controls, which its design gives them and its behaviour finds them by.
namespace HelpControls {
inline constexpr std::string_view title = "Label1";
inline constexpr std::string_view minimise = "Label6";
inline constexpr std::string_view exit = "Label5";
inline constexpr std::string_view howToUse = "Label2";
inline constexpr std::string_view instructions = "Label3";
inline constexpr std::string_view userGuide = "Label4";
inline constexpr std::string_view warranty = "Label7";
} // namespace HelpControls

extern const WindowDesign HelpDesign;

} // namespace orvelin
