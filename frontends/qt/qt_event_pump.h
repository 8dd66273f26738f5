#pragma once

#include "ui/job_runner.h"

namespace orvelin {

// Qt's event loop, nested, while a job runs: the window paints and its timers tick, and the user's
// clicks, keys and a close through the system reach nothing.
class QtEventPump final : public EventPump {
public:
  void pumpFor(WindowView &window, std::chrono::milliseconds period) override;
};

} // namespace orvelin
