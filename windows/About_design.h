#pragma once
// The credits, in three groups that share one place on the window; the user picks which one shows.

#include "ui/window_design.h"

#include <string_view>

namespace orvelin {

// The names of About's controls, which its design gives them and its behaviour finds them by.
namespace AboutControls {
inline constexpr std::string_view title = "Label1";
inline constexpr std::string_view minimise = "Label3";
inline constexpr std::string_view exit = "Label2";
inline constexpr std::string_view productId = "Label20";
inline constexpr std::string_view aboutDeveloper = "Label4";
inline constexpr std::string_view developmentTeam = "Label5";
inline constexpr std::string_view interfaceArchitect = "Label6";
inline constexpr std::string_view keyPeople = "Label7";
inline constexpr std::string_view codeCreator = "Label8";
inline constexpr std::string_view coreTeam = "Label9";
inline constexpr std::string_view gratitude = "Label12";
inline constexpr std::string_view designTeam = "Label13";
inline constexpr std::string_view testTeam = "Label15";
inline constexpr std::string_view supportTeam = "Label14";
inline constexpr std::string_view email = "Label17";
inline constexpr std::string_view website = "Label18";
inline constexpr std::string_view supportCenter = "Label19";
inline constexpr std::string_view showCommunication = "Label16";
inline constexpr std::string_view showAdcc = "Label10";
inline constexpr std::string_view showCredit = "Label11";
} // namespace AboutControls

extern const WindowDesign AboutDesign;

} // namespace orvelin
