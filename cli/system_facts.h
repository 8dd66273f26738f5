#pragma once
// What orvelin-cli asks the system about the machine and the console it writes to, one
// implementation per platform: system_facts_posix.cpp and system_facts_windows.cpp.

#include <cstdint>

namespace orvelin::cli {

// True when standard error is a terminal that takes the control sequences which redraw lines in
// place (on Windows, a console, switched to take them if it can).
bool standardErrorRedraws();

// The width of the terminal on standard error in columns; 80 when it does not say.
int standardErrorColumns();

} // namespace orvelin::cli
