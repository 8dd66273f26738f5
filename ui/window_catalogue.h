#pragma once
// Where the window switcher gets each of the program's windows: its design and its behaviour. The
// framework knows windows only through this; the program's own catalogue names every one of them.

#include "navigator.h"
#include "window_behaviour.h"
#include "window_design.h"
#include "window_view.h"

#include <memory>

namespace orvelin {

class WindowCatalogue {
public:
  WindowCatalogue() = default;
  WindowCatalogue(const WindowCatalogue &) = delete;
  WindowCatalogue &operator=(const WindowCatalogue &) = delete;
  virtual ~WindowCatalogue() = default;

  [[nodiscard]] virtual const WindowDesign &design(Window window) const = 0;
  // The handlers of window, acting on view.
  [[nodiscard]] virtual std::unique_ptr<WindowBehaviour> behaviour(Window window, WindowView &view,
                                                                   Navigator &navigator) const = 0;
};

} // namespace orvelin
