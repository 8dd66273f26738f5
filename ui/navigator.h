#pragma once
// Leaving a window for another, and ending the program: what a window's behaviour asks of whoever
// shows the windows.

#include "window_list.h"

namespace orvelin {

class Navigator {
public:
  Navigator() = default;
  Navigator(const Navigator &) = delete;
  Navigator &operator=(const Navigator &) = delete;
  virtual ~Navigator() = default;

  // Creates and shows a fresh `window`, then destroys the one now shown, once the handler that asks
  // has returned.
  virtual void show(Window window) = 0;
  // At once: every window closes and no further handler runs.
  virtual void endProgram() = 0;
};

} // namespace orvelin
