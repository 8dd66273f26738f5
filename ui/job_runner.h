#pragma once
// A file job run from a window's click handler, off the user-interface thread, so that the window
// keeps painting while it works. Until the job returns the window takes no input, keeps its busy
// look, and shows the job's message boxes, modal over it, on its own thread and in their order. A
// job that lasts longer than the delay shows its progress in the window's progress bar.

#include "base/job_progress.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string_view>

namespace orvelin {

class WindowView;

// A job with the place its progress goes, bound to its inputs: true when it did its work.
using BoundJob = std::function<bool(const JobProgress &progress)>;

// Runs job for window, which waits for it without taking input and may show the job's progress in
// its progressBar; the job's result.
using JobRunner = std::function<bool(WindowView &window, std::string_view progressBar, const BoundJob &job)>;

// What a front end gives the runner: its event loop, run for a while on the user-interface thread.
class EventPump {
public:
  EventPump() = default;
  EventPump(const EventPump &) = delete;
  EventPump &operator=(const EventPump &) = delete;
  virtual ~EventPump() = default;

  // Handles the toolkit's events for about period: paints, timers and the like. The user's input to
  // window (clicks, keys, closing it) is dropped, never kept for later.
  virtual void pumpFor(WindowView &window, std::chrono::milliseconds period) = 0;
};

inline constexpr std::chrono::milliseconds progressDelay{500};

// Runs jobs with pump, which must outlive the runner; the progress bar shows from delay after a
// job's start until it returns.
[[nodiscard]] JobRunner backgroundJobRunner(EventPump &pump, std::chrono::milliseconds delay = progressDelay);

// The same on a pump of its own.
template <typename Pump> [[nodiscard]] JobRunner backgroundJobRunner() {
  auto pump = std::make_shared<Pump>();
  return [pump, run = backgroundJobRunner(*pump)](WindowView &window, std::string_view progressBar,
                                                  const BoundJob &job) { return run(window, progressBar, job); };
}

} // namespace orvelin
