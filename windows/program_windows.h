#pragma once
// Each of the program's windows: its design and its behaviour.

#include "app/main_window_services.h"
#include "ui/window_catalogue.h"

#include <memory>
#include <string>
#include <utility>

namespace orvelin {

[[nodiscard]] const WindowDesign &designOf(Window window);

// The handlers of window, acting on view; only the main window uses services and handedFile.
[[nodiscard]] std::unique_ptr<WindowBehaviour> createBehaviour(Window window, WindowView &view, Navigator &navigator,
                                                               const MainWindowServices &services,
                                                               std::u16string handedFile = {});

// The catalogue the window switcher shows the program's windows from, the main window on services.
// The file the program was started with goes to the first main window only: one shown again after
// an information window starts empty, as it always has.
class ProgramWindows final : public WindowCatalogue {
public:
  explicit ProgramWindows(MainWindowServices services, std::u16string handedFile = {})
      : services_(std::move(services)), handedFile_(std::move(handedFile)) {}

  [[nodiscard]] const WindowDesign &design(Window window) const override { return designOf(window); }
  [[nodiscard]] std::unique_ptr<WindowBehaviour> behaviour(Window window, WindowView &view,
                                                           Navigator &navigator) const override {
    return createBehaviour(window, view, navigator, services_,
                           window == Window::frmMain ? std::exchange(handedFile_, {}) : std::u16string());
  }

private:
  MainWindowServices services_;
  // Handed out once, by a catalogue that is otherwise a constant.
  mutable std::u16string handedFile_;
};

} // namespace orvelin
