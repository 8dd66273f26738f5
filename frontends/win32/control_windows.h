#pragma once
// The child windows a design's controls become: a label is a static control the window draws itself
// (owner-drawn, so that its text sits in its box exactly as the design says, over whatever is
// beneath); a clickable one takes the mouse; a text box is an edit control.

#include "app/window_design.h"

#include <windows.h>

namespace orvelin::win32 {

// What the controls of a window tell it.
class ControlListener {
public:
  ControlListener() = default;
  ControlListener(const ControlListener &) = delete;
  ControlListener &operator=(const ControlListener &) = delete;
  virtual ~ControlListener() = default;

  // The left button was pressed and then released inside a clickable control.
  virtual void clicked(HWND control) = 0;
  // Tab was pressed in a text box, with Shift when backwards is true.
  virtual void tabbed(HWND control, bool backwards) = 0;
};

// The control's child window on window, with the given identifier, its text and visibility as
// designed; placed by the caller. It reports to listener for as long as it exists.
HWND createControlWindow(HWND window, const ControlDesign &control, int identifier, ControlListener &listener);

} // namespace orvelin::win32
