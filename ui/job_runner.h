#pragma once
// A file job run from a window's click handler, off the user-interface thread, so that the window
// keeps painting while it works. Until the job returns the window takes no input, keeps its busy
// look, and shows the job's message boxes, modal over it, on its own thread and in their order. A
// job that lasts longer than the delay shows its progress in the window's progress bar.

#include "base/job_progress.h"
#include "base/message_sink.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string_view>

namespace orvelin {

class WindowView;

// A job with the places its boxes and its progress go, bound to its inputs: true when it did its work.
using BoundJob = std::function<bool(MessageSink &messages, const JobProgress &progress)>;

// Runs job for window, which waits for it without taking input and may show the job's progress in
// its progressBar; the job's result. An exception from the job, or from the window, its events or
// its boxes while the job runs, reaches the caller only once the job has ended; in the latter case
// the job is ended early (its next box or report of progress throws), so it leaves its file as it was.
using JobRunner = std::function<bool(WindowView &window, std::string_view progressBar, const BoundJob &job)>;

// What a front end gives the runner: its event loop, run for a while on the user-interface thread
// for one job on one window. From its making until it goes, the user's input to that window
// (clicks, keys, closing it) is dropped, never kept for later.
class EventPump {
public:
  EventPump() = default;
  EventPump(const EventPump &) = delete;
  EventPump &operator=(const EventPump &) = delete;
  virtual ~EventPump() = default;

  // Handles the toolkit's events for about period: paints, timers and the like.
  virtual void pumpFor(std::chrono::milliseconds period) = 0;
};

// Makes the pump of one job on window.
using PumpMaker = std::function<std::unique_ptr<EventPump>(WindowView &window)>;

inline constexpr std::chrono::milliseconds progressDelay{500};

// Runs jobs with the pumps makePump makes, showing their boxes in onScreen, which must outlive the
// runner; the progress bar shows from delay after a job's start until it returns.
[[nodiscard]] JobRunner backgroundJobRunner(PumpMaker makePump, MessageSink &onScreen,
                                            std::chrono::milliseconds delay = progressDelay);

// The same with a Pump made from the window for each job.
template <typename Pump> [[nodiscard]] JobRunner backgroundJobRunner(MessageSink &onScreen) {
  return backgroundJobRunner([](WindowView &window) { return std::make_unique<Pump>(window); }, onScreen);
}

} // namespace orvelin
