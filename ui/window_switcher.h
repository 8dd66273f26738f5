#pragma once
// Which window the program shows. Windows replace one another: the next one is created afresh and
// shown, then the one being left is destroyed, so outside a switch exactly one window exists. A
// switch asked for from inside a handler runs once that handler has returned. The program ends when
// no window is left once the running handler has returned.

#include "loaded_window.h"
#include "navigator.h"
#include "window_catalogue.h"
#include "window_system.h"

#include <memory>
#include <optional>

namespace orvelin {

class WindowSwitcher final : public Navigator {
public:
  // Shows the windows of catalogue, which must outlive the switcher.
  WindowSwitcher(WindowSystem &system, const WindowCatalogue &catalogue);

  // The start of every run: the splash.
  void start();

  void show(Window window) override;
  void endProgram() override;

private:
  void switchAsRequested();
  void load(Window window);
  void windowClosed();
  void leaveClosedWindow();

  WindowSystem &system_;
  const WindowCatalogue &catalogue_;
  std::unique_ptr<LoadedWindow> current_;
  std::optional<Window> requested_; // the switch waiting to run, if any
  bool closed_ = false;             // the current window was closed through the system
};

} // namespace orvelin
