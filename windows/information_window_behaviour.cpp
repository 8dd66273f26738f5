#include "information_window_behaviour.h"

namespace orvelin {

InformationWindowBehaviour::InformationWindowBehaviour(WindowView &view, Navigator &navigator,
                                                       InformationControls controls,
                                                       std::span<const GroupDesign> groups)
    : view_(view), navigator_(navigator), controls_(controls), groups_(groups) {}

void InformationWindowBehaviour::load() {
  if (!groups_.empty()) {
    showGroup(groups_.front());
  }
}

void InformationWindowBehaviour::click(std::string_view control) {
  if (control == controls_.exit) {
    navigator_.show(Window::frmMain);
    return;
  }
  if (!controls_.minimise.empty() && control == controls_.minimise) {
    view_.minimise();
    return;
  }
  for (const GroupDesign &group : groups_) {
    if (control == group.selector) {
      showGroup(group);
      return;
    }
  }
}

void InformationWindowBehaviour::showGroup(const GroupDesign &shown) {
  for (const GroupDesign &group : groups_) {
    for (const std::string_view label : group.controls) {
      view_.setVisible(label, &group == &shown);
    }
  }
}

} // namespace orvelin
