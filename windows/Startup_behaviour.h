#pragma once
// The splash's one handler: its timer's tick leaves it for the main window.

#include "ui/navigator.h"
#include "ui/window_behaviour.h"

namespace orvelin {

class StartupBehaviour final : public WindowBehaviour {
public:
  explicit StartupBehaviour(Navigator &navigator) : navigator_(navigator) {}

  // Clicks on the splash do nothing.
  void click(std::string_view /*control*/) override {}
  // Leaving the splash destroys its timer, so this is the only tick it handles.
  void tick(std::string_view /*timer*/) override { navigator_.show(Window::frmMain); }

private:
  Navigator &navigator_;
};

} // namespace orvelin
