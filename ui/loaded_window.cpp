#include "loaded_window.h"

#include <utility>

namespace orvelin {

LoadedWindow::LoadedWindow(const WindowCatalogue &catalogue, Window window, WindowSystem &system, Navigator &navigator,
                           std::function<void()> onClosed)
    : onClosed_(std::move(onClosed)), rendered_(system.create(catalogue.design(window), *this)),
      behaviour_(catalogue.behaviour(window, *rendered_, navigator)) {
  behaviour_->load();
}

template <typename Handler> void LoadedWindow::unlessHandling(const Handler &handler) {
  if (handling_) {
    return;
  }
  struct Handling {
    bool &flag;
    explicit Handling(bool &handling) : flag(handling) { flag = true; }
    Handling(const Handling &) = delete;
    Handling &operator=(const Handling &) = delete;
    ~Handling() { flag = false; }
  } const handling(handling_);
  handler();
}

void LoadedWindow::clicked(std::string_view control) {
  unlessHandling([&] { behaviour_->click(control); });
}

void LoadedWindow::filesDropped(const std::vector<std::u16string> &files) {
  unlessHandling([&] { behaviour_->filesDropped(files); });
}

} // namespace orvelin
