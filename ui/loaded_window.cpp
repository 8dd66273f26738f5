#include "loaded_window.h"

#include <utility>

namespace orvelin {

LoadedWindow::LoadedWindow(const WindowCatalogue &catalogue, Window window, WindowSystem &system, Navigator &navigator,
                           std::function<void()> onClosed)
    : onClosed_(std::move(onClosed)), rendered_(system.create(catalogue.design(window), *this)),
      behaviour_(catalogue.behaviour(window, *rendered_, navigator)) {
  behaviour_->load();
}

} // namespace orvelin
