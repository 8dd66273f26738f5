#include "accessibility.h"

namespace orvelin {
namespace {

AccessibleRole roleOf(ControlKind kind) {
  switch (kind) {
  case ControlKind::ClickableLabel:
  case ControlKind::ClickArea:
    return AccessibleRole::Button;
  case ControlKind::TextBox:
    return AccessibleRole::EditableText;
  case ControlKind::ProgressBar:
    return AccessibleRole::ProgressBar;
  case ControlKind::Label:
    break;
  }
  return AccessibleRole::StaticText;
}

std::string_view groupShownBy(const WindowDesign &design, std::string_view selector) {
  for (const GroupDesign &group : design.groups) {
    if (group.selector == selector && !group.controls.empty()) {
      return group.controls.front();
    }
  }
  return {};
}

} // namespace

AccessibleControl accessibleOf(const WindowDesign &design, const ControlDesign &control) {
  std::string_view name = control.accessibleName.empty() ? control.text : control.accessibleName;
  if (name.empty() && !control.labelledBy.empty()) {
    name = design.controls[controlIndex(design, control.labelledBy)].text;
  }
  return {.role = roleOf(control.kind),
          .name = name,
          .description = control.tooltip,
          .labelledBy = control.labelledBy,
          .selects = groupShownBy(design, control.name),
          .announced = control.announced};
}

} // namespace orvelin
