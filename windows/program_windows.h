#pragma once
// Each of the program's windows: its design and its behaviour.

#include "app/main_window_services.h"
#include "ui/window_catalogue.h"

#include <memory>

namespace orvelin {

[[nodiscard]] const WindowDesign &designOf(Window window);

// The handlers of window, acting on view; only the main window uses services.
[[nodiscard]] std::unique_ptr<WindowBehaviour> createBehaviour(Window window, WindowView &view, Navigator &navigator,
                                                               const MainWindowServices &services);

// The catalogue the window switcher shows the program's windows from, the main window on services.
class ProgramWindows final : public WindowCatalogue {
public:
  explicit ProgramWindows(MainWindowServices services) : services_(std::move(services)) {}

  [[nodiscard]] const WindowDesign &design(Window window) const override { return designOf(window); }
  [[nodiscard]] std::unique_ptr<WindowBehaviour> behaviour(Window window, WindowView &view,
                                                           Navigator &navigator) const override {
    return createBehaviour(window, view, navigator, services_);
  }

private:
  MainWindowServices services_;
};

} // namespace orvelin
