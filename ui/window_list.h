#pragma once
// The program's windows, by their design names: the one list that the catalogue and every test of
// all the windows go through.

#include <array>

namespace orvelin {

enum class Window { Startup, frmMain, Help, About, softinf };

inline constexpr std::array allWindows{Window::Startup, Window::frmMain, Window::Help, Window::About, Window::softinf};

} // namespace orvelin
