#pragma once

#include <filesystem>

namespace orvelin::bench {

// The longest gap, in milliseconds, between ticks of a 10 ms timer on the user-interface thread
// while the main window's job runner encrypts file (offscreen when no display is named).
double uiStallMilliseconds(const std::filesystem::path &file);

} // namespace orvelin::bench
