#pragma once
// One of the program's windows on the screen together with its behaviour, to which the window's
// clicks and ticks go. Created from its design afresh each time; nothing of it outlives it.

#include "navigator.h"
#include "window_behaviour.h"
#include "window_catalogue.h"
#include "window_system.h"

#include <functional>
#include <memory>

namespace orvelin {

class LoadedWindow final : public WindowEvents {
public:
  // Creates the window from the catalogue and runs its load handler; it is not shown yet. onClosed
  // runs when the user closes the window through the system.
  LoadedWindow(const WindowCatalogue &catalogue, Window window, WindowSystem &system, Navigator &navigator,
               std::function<void()> onClosed);

  void show() { rendered_->show(); }

  // A press through assistive technology or a drop can reach a window whose handler still runs (a
  // job, a box): it is passed over then, as the front ends drop the user's clicks meanwhile.
  void clicked(std::string_view control) override;
  void ticked(std::string_view timer) override { behaviour_->tick(timer); }
  void filesDropped(const std::vector<std::u16string> &files) override;
  void closed() override { onClosed_(); }

private:
  template <typename Handler> void unlessHandling(const Handler &handler);

  bool handling_ = false;
  std::function<void()> onClosed_;
  std::unique_ptr<RenderedWindow> rendered_;
  // Destroyed before the window it acts on.
  std::unique_ptr<WindowBehaviour> behaviour_;
};

} // namespace orvelin
