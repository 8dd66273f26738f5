#pragma once

#include "ui/job_runner.h"

#include <memory>

namespace orvelin {

// Qt's event loop, nested, while a job runs: the window paints and its timers tick, and the user's
// clicks, keys, drops and a close through the system reach nothing.
class QtEventPump final : public EventPump {
public:
  explicit QtEventPump(WindowView &window);
  QtEventPump(const QtEventPump &) = delete;
  QtEventPump &operator=(const QtEventPump &) = delete;
  ~QtEventPump() override;

  void pumpFor(std::chrono::milliseconds period) override;

private:
  class InputDrop;
  std::unique_ptr<InputDrop> drop_;
};

} // namespace orvelin
