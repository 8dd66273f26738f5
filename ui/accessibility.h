#pragma once
// What assistive technology (a screen reader) is told of a window's controls, derived from the
// design so that both front ends say the same. The design itself is unchanged by it: a clickable
// label still takes no keyboard focus, but a screen reader may press it.

#include "window_design.h"

#include <string_view>

namespace orvelin {

enum class AccessibleRole {
  StaticText,   // a label
  Button,       // a clickable label or area: pressing it runs its click handler
  EditableText, // a text box
  ProgressBar,  // reports its value
};

struct AccessibleControl {
  AccessibleRole role = AccessibleRole::StaticText;
  std::string_view name;        // what is read out
  std::string_view description; // the tooltip, if any
  std::string_view labelledBy;  // the label that names a text box
  // For a group's selector: the first control of its group, visible while the selector is the one
  // selected. Empty for any other control.
  std::string_view selects;
  bool announced = false; // each new text is announced (a live region)
};

[[nodiscard]] AccessibleControl accessibleOf(const WindowDesign &design, const ControlDesign &control);

// Whether assistive technology may press control: it runs the same handler as a mouse click.
[[nodiscard]] constexpr bool pressable(const AccessibleControl &control) {
  return control.role == AccessibleRole::Button;
}

} // namespace orvelin
