#pragma once
// A window without a screen, for the tests of the windows' behaviour: it keeps what a real one
// would show, throws as every front end does on a control its design does not have, and fails the
// test on a control that cannot do what it is asked.

#include "ui/window_design.h"
#include "ui/window_view.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvelin::testing {

class FakeWindow final : public RenderedWindow {
public:
  // observer hears of the window's "create", "show" and "destroy".
  using Observer = std::function<void(const FakeWindow &window, std::string_view event)>;

  explicit FakeWindow(const WindowDesign &design, Observer observer = {});
  ~FakeWindow() override;

  [[nodiscard]] std::u16string text(std::string_view control) const override;
  void setText(std::string_view control, std::u16string_view text) override;
  void setVisible(std::string_view control, bool visible) override;
  void setProgress(std::string_view control, double fraction) override;
  void focus(std::string_view control) override;
  void setBusyPointer(bool busy) override;
  void paintNow() override;
  void minimise() override;
  void show() override;

  [[nodiscard]] const WindowDesign &design() const { return design_; }
  [[nodiscard]] bool isVisible(std::string_view control) const;
  [[nodiscard]] double progress(std::string_view control) const;
  // The controls shown, or shown when the window was first shown, in the design's order.
  [[nodiscard]] std::vector<std::string> visibleControls() const;
  [[nodiscard]] const std::vector<std::string> &visibleWhenShown() const { return visibleWhenShown_; }
  [[nodiscard]] const std::string &focused() const { return focused_; }
  [[nodiscard]] bool busy() const { return busy_; }
  [[nodiscard]] bool minimised() const { return minimised_; }
  // What control showed when the window was last painted; nothing if it never was.
  [[nodiscard]] std::optional<std::u16string> paintedText(std::string_view control) const;
  // How many times anything was asked of the window.
  [[nodiscard]] int requests() const { return requests_; }

private:
  struct Control {
    const ControlDesign *design;
    std::u16string text;
    bool visible;
    double progress = 0;
  };

  [[nodiscard]] const Control &find(std::string_view name) const;
  Control &find(std::string_view name);

  const WindowDesign &design_;
  Observer observer_;
  std::vector<Control> controls_;
  std::optional<std::vector<std::u16string>> painted_; // in the design's order
  std::vector<std::string> visibleWhenShown_;
  std::string focused_;
  bool busy_ = false;
  bool minimised_ = false;
  int requests_ = 0;
};

} // namespace orvelin::testing
