#pragma once
// Each of the program's windows: its design and its behaviour.

#include "app/main_window_services.h"
#include "app/navigator.h"
#include "app/window_behaviour.h"
#include "app/window_design.h"
#include "app/window_view.h"

#include <memory>

namespace orvelin {

[[nodiscard]] const WindowDesign &designOf(Window window);

// The handlers of window, acting on view; only the main window uses services.
[[nodiscard]] std::unique_ptr<WindowBehaviour> createBehaviour(Window window, WindowView &view, Navigator &navigator,
                                                               const MainWindowServices &services);

} // namespace orvelin
