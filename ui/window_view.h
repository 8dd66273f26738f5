#pragma once
// A window on the screen, as its behaviour sees it: controls found by their design names. Each
// front end implements it over its own toolkit's window.

#include <string>
#include <string_view>

namespace orvelin {

class WindowView {
public:
  WindowView() = default;
  WindowView(const WindowView &) = delete;
  WindowView &operator=(const WindowView &) = delete;
  virtual ~WindowView() = default;

  // The text of a label or a text box, as shown.
  [[nodiscard]] virtual std::u16string text(std::string_view control) const = 0;
  virtual void setText(std::string_view control, std::u16string_view text) = 0;
  virtual void setVisible(std::string_view control, bool visible) = 0;
  // How far a progress bar is filled, from 0 to 1.
  virtual void setProgress(std::string_view control, double fraction) = 0;
  virtual void focus(std::string_view control) = 0;
  // The hourglass over the whole window, or the default pointer.
  virtual void setBusyPointer(bool busy) = 0;
  // Draws what has changed at once: work that runs inside a click handler, without returning to
  // the event loop, would otherwise only ever be seen finished.
  virtual void paintNow() = 0;
  virtual void minimise() = 0;
};

// What the one who shows and destroys windows needs besides.
class RenderedWindow : public WindowView {
public:
  // Destroying a rendered window destroys the window on the screen.
  virtual void show() = 0;
};

} // namespace orvelin
