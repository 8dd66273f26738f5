#include "job_runner.h"

#include "window_view.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

namespace orvelin {
namespace {

using Clock = std::chrono::steady_clock;

// Short enough that the bar follows the job smoothly and a box appears without a noticeable wait.
constexpr std::chrono::milliseconds pumpPeriod{10};

// What a job's box or report of progress throws once the window can no longer wait for the job.
class JobAbandoned final : public std::exception {
public:
  [[nodiscard]] const char *what() const noexcept override { return "the window stopped waiting for the job"; }
};

struct Box {
  std::string text;
  std::string title;
  MessageStyle style;
};

// Between the job's thread and the window's: the boxes the job asks for, each shown on the window's
// thread while the job waits for it to be closed, as it would wait for a box shown on its own; the
// job's progress; and the job's end, should the window's thread fail while the job runs.
class HandOver final : public MessageSink {
public:
  explicit HandOver(MessageSink &onScreen) : onScreen_(onScreen), windowThread_(std::this_thread::get_id()) {}

  void show(const std::string &text, const std::string &title, MessageStyle style) override {
    if (std::this_thread::get_id() == windowThread_) {
      // Asked for on the window's own thread: waiting for that thread would wait for ourselves.
      onScreen_.show(text, title, style);
      return;
    }
    std::unique_lock lock(mutex_);
    if (abandoned_) {
      throw JobAbandoned();
    }
    boxes_.push_back({text, title, style});
    const unsigned long ticket = ++asked_;
    changed_.wait(lock, [&] { return shown_ >= ticket || abandoned_; });
    if (shown_ < ticket) {
      throw JobAbandoned();
    }
  }

  void report(double fraction) {
    if (abandoned_.load(std::memory_order_acquire)) {
      throw JobAbandoned();
    }
    fraction_.store(fraction, std::memory_order_relaxed);
  }

  [[nodiscard]] double fraction() const { return fraction_.load(std::memory_order_relaxed); }

  // From the window's thread: shows every box asked for so far.
  void showWaiting() {
    std::unique_lock lock(mutex_);
    while (!boxes_.empty()) {
      const Box box = std::move(boxes_.front());
      boxes_.pop_front();
      lock.unlock();
      onScreen_.show(box.text, box.title, box.style);
      lock.lock();
      ++shown_;
      changed_.notify_all();
    }
  }

  // From the window's thread: the job is to end without waiting for any box.
  void abandon() {
    const std::scoped_lock lock(mutex_);
    abandoned_.store(true, std::memory_order_release);
    changed_.notify_all();
  }

private:
  MessageSink &onScreen_;
  const std::thread::id windowThread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Box> boxes_;
  unsigned long asked_ = 0;
  unsigned long shown_ = 0;
  std::atomic<bool> abandoned_{false};
  std::atomic<double> fraction_{0.0};
};

struct Waiting {
  WindowView &window;
  std::string_view progressBar;
  std::chrono::milliseconds delay;
};

// The window's thread while the job runs: events, the bar once the delay is over, and the boxes.
void waitForJob(const Waiting &waiting, EventPump &pump, HandOver &handOver, const std::atomic<bool> &finished) {
  const Clock::time_point showFrom = Clock::now() + waiting.delay;
  bool barShown = false;
  const auto hideBar = [&] {
    if (barShown) {
      waiting.window.setVisible(waiting.progressBar, false);
    }
  };
  try {
    // A box asked for just before the end is shown before the job can end: the job waits for it.
    while (!finished.load(std::memory_order_acquire)) {
      pump.pumpFor(pumpPeriod);
      if (barShown || Clock::now() >= showFrom) {
        waiting.window.setProgress(waiting.progressBar, handOver.fraction());
        if (!std::exchange(barShown, true)) {
          waiting.window.setVisible(waiting.progressBar, true);
        }
      }
      handOver.showWaiting();
    }
  } catch (...) {
    hideBar();
    throw;
  }
  hideBar();
}

bool runInBackground(const PumpMaker &makePump, MessageSink &onScreen, const Waiting &waiting, const BoundJob &job) {
  HandOver handOver(onScreen);
  const JobProgress progress = [&handOver](double fraction) { handOver.report(fraction); };
  bool done = false;
  std::exception_ptr jobFault;
  std::atomic<bool> finished{false};
  {
    std::jthread worker;
    try {
      worker = std::jthread([&] {
        try {
          done = job(handOver, progress);
        } catch (...) {
          jobFault = std::current_exception();
        }
        finished.store(true, std::memory_order_release);
      });
    } catch (const std::system_error &) {
      // Without a thread to spare the job still runs, only without painting until it returns.
      return job(handOver, progress);
    }
    try {
      const std::unique_ptr<EventPump> pump = makePump(waiting.window);
      waitForJob(waiting, *pump, handOver, finished);
    } catch (...) {
      // Released from any box it waits for and ended at its next report, the job is joined as the
      // exception leaves this scope, before it goes on to the caller.
      handOver.abandon();
      throw;
    }
  }
  if (jobFault) {
    std::rethrow_exception(jobFault);
  }
  return done;
}

} // namespace

JobRunner backgroundJobRunner(PumpMaker makePump, MessageSink &onScreen, std::chrono::milliseconds delay) {
  return [makePump = std::move(makePump), &onScreen, delay](WindowView &window, std::string_view progressBar,
                                                            const BoundJob &job) {
    return runInBackground(makePump, onScreen, {window, progressBar, delay}, job);
  };
}

} // namespace orvelin
