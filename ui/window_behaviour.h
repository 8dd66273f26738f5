#pragma once
// What a window does: the handlers of its events. A front end's clicks and ticks reach them by the
// names of the controls and timers in the window's design.

#include <string>
#include <string_view>
#include <vector>

namespace orvelin {

class WindowBehaviour {
public:
  WindowBehaviour() = default;
  WindowBehaviour(const WindowBehaviour &) = delete;
  WindowBehaviour &operator=(const WindowBehaviour &) = delete;
  virtual ~WindowBehaviour() = default;

  // Once the window has its controls, before it is first drawn.
  virtual void load() {}
  // A click on a clickable control; a control without a handler is passed over.
  virtual void click(std::string_view control) = 0;
  virtual void tick(std::string_view /*timer*/) {}
  // Local files dropped on the window; passed over unless the window takes files.
  virtual void filesDropped(const std::vector<std::u16string> & /*files*/) {}
};

} // namespace orvelin
