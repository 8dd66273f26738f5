#include "job_runner.h"

#include "base/message_box.h"
#include "window_view.h"

#include <atomic>
#include <condition_variable>
#include <deque>
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

struct Box {
  std::string text;
  std::string title;
  MessageStyle style;
};

// The boxes the job asks for, each shown on the user-interface thread while the job waits for it
// to be closed, as it would wait for a box shown on its own thread.
class BoxHandOver {
public:
  // From the job's thread.
  void show(const std::string &text, const std::string &title, MessageStyle style) {
    std::unique_lock lock(mutex_);
    boxes_.push_back({text, title, style});
    const unsigned long ticket = ++asked_;
    closed_.wait(lock, [&] { return shown_ >= ticket; });
  }

  // From the user-interface thread: shows every box asked for so far through presenter.
  void showWaiting(const MessagePresenter &presenter) {
    std::unique_lock lock(mutex_);
    while (!boxes_.empty()) {
      const Box box = std::move(boxes_.front());
      boxes_.pop_front();
      lock.unlock();
      presenter(box.text, box.title, box.style);
      lock.lock();
      ++shown_;
      closed_.notify_all();
    }
  }

private:
  std::mutex mutex_;
  std::condition_variable closed_;
  std::deque<Box> boxes_;
  unsigned long asked_ = 0;
  unsigned long shown_ = 0;
};

bool runInBackground(EventPump &pump, std::string_view progressBar, std::chrono::milliseconds delay, WindowView &window,
                     const BoundJob &job) {
  std::atomic<double> fraction{0.0};
  std::atomic<bool> finished{false};
  bool done = false;
  const auto work = [&] {
    done = job([&fraction](double now) { fraction.store(now, std::memory_order_relaxed); });
    finished.store(true, std::memory_order_release);
  };
  BoxHandOver boxes;
  const MessagePresenter onThisThread =
      setMessagePresenter([&boxes](const std::string &text, const std::string &title, MessageStyle style) {
        boxes.show(text, title, style);
      });
  std::thread worker;
  try {
    worker = std::thread(work);
  } catch (const std::system_error &) {
    // Without a thread to spare the job still runs, only without painting until it returns.
    setMessagePresenter(onThisThread);
    work();
    return done;
  }
  const Clock::time_point showFrom = Clock::now() + delay;
  bool barShown = false;
  // A box asked for just before the end is shown before the job can end: the job waits for it.
  while (!finished.load(std::memory_order_acquire)) {
    pump.pumpFor(window, pumpPeriod);
    if (barShown || Clock::now() >= showFrom) {
      window.setProgress(progressBar, fraction.load(std::memory_order_relaxed));
      if (!std::exchange(barShown, true)) {
        window.setVisible(progressBar, true);
      }
    }
    boxes.showWaiting(onThisThread);
  }
  worker.join();
  setMessagePresenter(onThisThread);
  if (barShown) {
    window.setVisible(progressBar, false);
  }
  return done;
}

} // namespace

JobRunner backgroundJobRunner(EventPump &pump, std::chrono::milliseconds delay) {
  return [&pump, delay](WindowView &window, std::string_view progressBar, const BoundJob &job) {
    return runInBackground(pump, progressBar, delay, window, job);
  };
}

} // namespace orvelin
