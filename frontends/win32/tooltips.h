#pragma once
// The tooltips of a window's controls: one tooltip control per window, which watches the mouse over
// each control it has a text for.

#include "base/windows_api.h"

#include <string_view>

namespace orvelin::win32 {

// The tooltip control of window; it goes when window does.
HWND createTooltips(HWND window);

// From now on, the mouse resting over control (a child of window) shows text.
void addTooltip(HWND tooltips, HWND window, HWND control, std::string_view text);

} // namespace orvelin::win32
