#pragma once
// The software information window: what the program is, who publishes it, and its identification.

#include "ui/window_design.h"

#include <string_view>

namespace orvelin {

// The names of the software information window's controls, which its design gives them and its behaviour finds them by.
namespace softinfControls {
inline constexpr std::string_view title = "Label1";
inline constexpr std::string_view startDate = "Label2";
inline constexpr std::string_view publisher = "Label3";
inline constexpr std::string_view idCode = "Label4";
inline constexpr std::string_view developedBy = "Label5";
inline constexpr std::string_view close = "Label6";
} // namespace softinfControls

extern const WindowDesign softinfDesign;

} // namespace orvelin
