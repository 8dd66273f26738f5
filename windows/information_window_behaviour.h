#pragma once
// The handlers of Help, About and the software information window: the control that leaves the
// window for a fresh main window, the one that minimises it, and the selectors of the groups of
// labels that share one place (About's), one group shown at a time.

#include "ui/navigator.h"
#include "ui/window_behaviour.h"
#include "ui/window_design.h"
#include "ui/window_view.h"

namespace orvelin {

struct InformationControls {
  std::string_view exit;
  std::string_view minimise{}; // none when empty
};

class InformationWindowBehaviour final : public WindowBehaviour {
public:
  InformationWindowBehaviour(WindowView &view, Navigator &navigator, InformationControls controls,
                             std::span<const GroupDesign> groups);

  // Shows the first group, so that the others are never seen before a selector is clicked.
  void load() override;
  void click(std::string_view control) override;

private:
  void showGroup(const GroupDesign &shown);

  WindowView &view_;
  Navigator &navigator_;
  InformationControls controls_;
  std::span<const GroupDesign> groups_;
};

} // namespace orvelin
