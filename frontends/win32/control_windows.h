#pragma once
// The child windows a design's controls become: a label is a static control the window draws itself
// (owner-drawn, so that its text sits in its box exactly as the design says, over whatever is
// beneath); a clickable one takes the mouse; a text box is an edit control; a progress bar is the
// common controls' own.

#include "base/windows_api.h"
#include "ui/window_design.h"

#include <functional>
#include <string>

namespace orvelin::win32 {

// Posted to a clickable control when assistive technology presses it: it runs what a click runs.
inline constexpr UINT pressMessage = WM_APP + 1;

// A progress bar's range: its position is the fraction done in these steps.
inline constexpr int progressSteps = 1000;

// What the controls of a window tell it.
struct ControlEvents {
  // The left button was pressed and then released inside a clickable control, or assistive
  // technology pressed it.
  std::function<void(HWND control)> clicked;
  // Tab was pressed in a text box, with Shift when backwards is true.
  std::function<void(HWND control, bool backwards)> tabbed;
};

// The control's child window on window, with the given identifier, its text and visibility as
// designed; placed by the caller. It reports to events for as long as it exists.
HWND createControlWindow(HWND window, const ControlDesign &control, int identifier, const ControlEvents &events);

// The text a control's window holds.
std::wstring controlText(HWND control);

} // namespace orvelin::win32
