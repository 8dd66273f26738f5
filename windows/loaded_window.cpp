#include "loaded_window.h"

#include "window_catalogue.h"

#include <utility>

namespace orvelin {

LoadedWindow::LoadedWindow(Window window, WindowSystem &system, Navigator &navigator,
                           const MainWindowServices &services, std::function<void()> onClosed)
    : onClosed_(std::move(onClosed)), rendered_(system.create(designOf(window), *this)),
      behaviour_(createBehaviour(window, *rendered_, navigator, services)) {
  behaviour_->load();
}

} // namespace orvelin
