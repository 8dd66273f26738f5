#pragma once
// Windows without a screen and an event loop driven by hand, for the tests of the switching between
// windows: what the switcher creates, shows and destroys is written to a log, and the work it leaves
// for after the running handler waits until the test finishes the handler.

#include "fake_window.h"
#include "ui/window_system.h"

#include <deque>
#include <string>
#include <vector>

namespace orvelin::testing {

class FakeWindowSystem final : public WindowSystem {
public:
  [[nodiscard]] std::unique_ptr<RenderedWindow> create(const WindowDesign &design, WindowEvents &events) override;
  void runAfterHandler(std::function<void()> task) override { afterHandler_.push_back(std::move(task)); }
  void endProgram() override { log_.emplace_back("end"); }

  // The running handler returns: what waited for it runs, in order, and so does what that leaves.
  void finishHandler();

  // The one window that exists; the test fails when there is not exactly one.
  [[nodiscard]] FakeWindow &window() const { return *only().window; }
  [[nodiscard]] WindowEvents &events() const { return *only().events; }

  // Each "create", "show" and "destroy" of a window with its name, and "end".
  [[nodiscard]] const std::vector<std::string> &log() const { return log_; }
  void clearLog() { log_.clear(); }

private:
  struct Live {
    FakeWindow *window;
    WindowEvents *events;
  };

  [[nodiscard]] const Live &only() const;

  std::vector<std::string> log_;
  std::deque<std::function<void()>> afterHandler_;
  std::vector<Live> live_;
};

} // namespace orvelin::testing
