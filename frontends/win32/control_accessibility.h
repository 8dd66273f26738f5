#pragma once
// What a screen reader is told of a control's child window through Microsoft Active Accessibility:
// the system's own object for the window's client area, with the role, name, description, default
// action and state that the design gives (ui/accessibility.h). Everything else is the system's.

#include "base/windows_api.h"
#include "ui/accessibility.h"

#include <optional>
#include <string>

namespace orvelin::win32 {

struct ControlAccessibility {
  AccessibleRole role = AccessibleRole::StaticText;
  std::optional<std::wstring> name; // when none, the window's text as it is at the time
  std::wstring description;
  // A group selector's: it reads as checked while this control is visible.
  HWND selects = nullptr;
};

// From now until control goes, WM_GETOBJECT for its client area is answered with an object that
// says what facts say. A pressable control's default action, "Press", posts it pressMessage
// (control_windows.h), which runs what a click runs.
void answerForAccessibility(HWND control, ControlAccessibility facts);

// Tells assistive technology that control has a new text, which is its name, to be announced at
// once (a live region).
void announceNewText(HWND control);

// Tells assistive technology that control's state (a selector's checked state) has changed.
void announceNewState(HWND control);

} // namespace orvelin::win32
