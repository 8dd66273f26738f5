#pragma once
// The main window: a file name and a password, the buttons that run a job on them, a status line,
// and the links to the information windows.

#include "ui/window_design.h"

#include <string_view>

namespace orvelin {

// The names of the main window's controls, which its design gives them and its behaviour finds them by.
namespace frmMainControls {
inline constexpr std::string_view title = "Label1";
inline constexpr std::string_view minimise = "Label3";
inline constexpr std::string_view exit = "Label2";
inline constexpr std::string_view fileNameLabel = "lbllfilename";
inline constexpr std::string_view fileName = "txtfilename";
inline constexpr std::string_view passwordLabel = "lblpassword";
inline constexpr std::string_view password = "txtpassword";
inline constexpr std::string_view encrypt = "cmdencrypt";
inline constexpr std::string_view decrypt = "cmddecrypt";
inline constexpr std::string_view browse = "cmdbrowse";
inline constexpr std::string_view status = "lblmessage";
inline constexpr std::string_view progress = "jobprogress";
inline constexpr std::string_view securityKey = "securitykey";
inline constexpr std::string_view about = "Label4";
inline constexpr std::string_view help = "Label5";
} // namespace frmMainControls

extern const WindowDesign frmMainDesign;

} // namespace orvelin
