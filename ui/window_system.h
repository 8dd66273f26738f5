#pragma once
// What a front end gives the window switcher: windows made from their designs, and a way to run
// work once the event handler now running has returned. Everything else a window does is decided
// by toolkit-neutral code.

#include "window_design.h"
#include "window_view.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvelin {

// What a window on the screen reports, each from inside the toolkit's event handling.
class WindowEvents {
public:
  WindowEvents() = default;
  WindowEvents(const WindowEvents &) = delete;
  WindowEvents &operator=(const WindowEvents &) = delete;
  virtual ~WindowEvents() = default;

  // A click on a clickable control or click area, by the control's design name.
  virtual void clicked(std::string_view control) = 0;
  virtual void ticked(std::string_view timer) = 0;
  // Files dropped on the window from a file manager, as local paths; anything else dropped (text,
  // a remote address) is not reported.
  virtual void filesDropped(const std::vector<std::u16string> &files) = 0;
  // The user closed the window through the system (its taskbar entry, a keyboard shortcut): it is
  // hidden and takes no more input; it is destroyed once the running handler has returned.
  virtual void closed() = 0;
};

class WindowSystem {
public:
  WindowSystem() = default;
  WindowSystem(const WindowSystem &) = delete;
  WindowSystem &operator=(const WindowSystem &) = delete;
  virtual ~WindowSystem() = default;

  // The window of the design with all its controls, not shown yet; its timer starts once it is
  // shown, so that a splash lasts its interval as the user sees it. It reports to events for as long
  // as it exists.
  [[nodiscard]] virtual std::unique_ptr<RenderedWindow> create(const WindowDesign &design, WindowEvents &events) = 0;
  // Runs task from the event loop, after the handler now running has returned; tasks run in the
  // order they were given.
  virtual void runAfterHandler(std::function<void()> task) = 0;
  // Ends the event loop, and so the program, at once.
  virtual void endProgram() = 0;
};

} // namespace orvelin
