#pragma once

#include "ui/window_design.h"
#include "ui/window_system.h"
#include "ui/window_view.h"

#include <memory>
#include <vector>

class QTimer;
class QWidget;

namespace orvelin {

class DrawnWindow;

// A window made from its design with Qt Widgets: labels, clickable labels and line edits, the drawn
// frame, and the timer. Clicks (a press through assistive technology too), ticks, dropped files and
// a close through the system go to the events given.
class QtWindow final : public RenderedWindow {
public:
  QtWindow(const WindowDesign &design, WindowEvents &events);
  ~QtWindow() override;

  [[nodiscard]] std::u16string text(std::string_view control) const override;
  void setText(std::string_view control, std::u16string_view text) override;
  void setVisible(std::string_view control, bool visible) override;
  void setProgress(std::string_view control, double fraction) override;
  void focus(std::string_view control) override;
  void setBusyPointer(bool busy) override;
  void paintNow() override;
  void minimise() override;
  void show() override;

  // The window itself, which dialogs and message boxes are modal over.
  [[nodiscard]] QWidget &widget() const;

private:
  [[nodiscard]] QWidget &control(std::string_view name) const;

  const WindowDesign &design_;
  std::unique_ptr<DrawnWindow> window_;
  std::vector<QWidget *> controls_; // the window's children, in the design's order
  QTimer *timer_ = nullptr;         // the window's child, if its design has a timer
};

} // namespace orvelin
