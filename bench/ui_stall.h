#pragma once

#include <filesystem>
#include <optional>

namespace orvelin::bench {

// The longest gap, in milliseconds, between ticks of a 10 ms timer on the user-interface thread
// while the main window's job runner encrypts file (offscreen when no display is named); nothing in a
// build without a display toolkit.
std::optional<double> uiStallMilliseconds(const std::filesystem::path &file);

} // namespace orvelin::bench
