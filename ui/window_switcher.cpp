#include "window_switcher.h"

#include <utility>

namespace orvelin {

WindowSwitcher::WindowSwitcher(WindowSystem &system, const WindowCatalogue &catalogue)
    : system_(system), catalogue_(catalogue) {}

void WindowSwitcher::start() { load(Window::Startup); }

void WindowSwitcher::show(Window window) {
  // The request comes from inside the leaving window's own handler, where the window cannot be
  // destroyed yet. Of two quick requests the first wins: the second came from a window that is on
  // its way out.
  if (requested_) {
    return;
  }
  requested_ = window;
  system_.runAfterHandler([this] { switchAsRequested(); });
}

void WindowSwitcher::endProgram() { system_.endProgram(); }

void WindowSwitcher::switchAsRequested() {
  const Window next = *std::exchange(requested_, std::nullopt);
  closed_ = false;
  // The next window is on the screen before the one it replaces goes: taking a window away can take
  // the system a while (Wine on a display without a window manager waits two seconds for one), and
  // the user would wait that long with no window at all.
  const std::unique_ptr<LoadedWindow> leaving = std::move(current_);
  load(next);
}

void WindowSwitcher::load(Window window) {
  current_ = std::make_unique<LoadedWindow>(catalogue_, window, system_, *this, [this] { windowClosed(); });
  current_->show();
}

void WindowSwitcher::windowClosed() {
  closed_ = true;
  system_.runAfterHandler([this] { leaveClosedWindow(); });
}

void WindowSwitcher::leaveClosedWindow() {
  // A switch asked for before the close may have replaced the closed window meanwhile.
  if (std::exchange(closed_, false)) {
    current_.reset();
  }
  if (current_ == nullptr) {
    system_.endProgram();
  }
}

} // namespace orvelin
