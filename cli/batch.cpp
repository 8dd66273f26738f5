#include "batch.h"

#include "base/unicode_text.h"
#include "file_messages.h"
#include "system_facts.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <limits>
#include <mutex>
#include <system_error>
#include <thread>

namespace orvelin::cli {
namespace {

using Clock = std::chrono::steady_clock;
// A job quicker than this shows no progress: a line that flashes by tells nothing.
constexpr auto progressAfter = std::chrono::milliseconds(500);
constexpr auto redrawEvery = std::chrono::milliseconds(100);

// Thrown through a job from its progress to cancel it: the job leaves its file as it was.
class JobCancelled : public std::exception {
public:
  [[nodiscard]] const char *what() const noexcept override { return "the job was cancelled"; }
};

// Two names of one file, by the system's word; should it not know one of them (a file that is just
// being replaced), by their full forms.
bool sameFile(const std::filesystem::path &first, const std::filesystem::path &second) {
  std::error_code unknown;
  const bool same = std::filesystem::equivalent(first, second, unknown);
  if (!unknown) {
    return same;
  }
  return std::filesystem::weakly_canonical(first, unknown) == std::filesystem::weakly_canonical(second, unknown);
}

std::uint64_t sizeOf(const std::filesystem::path &path) {
  std::error_code unknown;
  const std::uintmax_t size = std::filesystem::file_size(path, unknown);
  return unknown ? 0 : size;
}

// One file's job, from its start to its lines being printed.
struct FileRun {
  FileOutcome outcome;
  std::filesystem::path path;
  std::uint64_t size = 0;
  Clock::time_point began; // set before the job's thread starts
  Clock::time_point ended; // set before over
  std::atomic<double> fraction{0};
  std::atomic<bool> over{false};
  std::thread thread;
};

class Batch {
public:
  Batch(const std::vector<std::string> &files, const BatchJob &job, const BatchLimits &limits, ProgressLines *progress,
        const StopQuery &stop)
      : runs_(files.size()), job_(job), limits_(limits), progress_(progress), stop_(stop) {
    for (std::size_t i = 0; i < files.size(); ++i) {
      runs_[i].outcome.file = files[i];
      runs_[i].path = pathFromUtf8(files[i]);
      runs_[i].size = sizeOf(runs_[i].path);
    }
  }

  void run(const std::function<void(const FileOutcome &)> &finished) {
    std::size_t started = 0;
    for (std::size_t printed = 0; printed < runs_.size();) {
      if (stop_()) {
        for (; started < runs_.size(); ++started) {
          runs_[started].outcome.stopped = true;
          runs_[started].over.store(true, std::memory_order_release);
        }
      }
      while (started < runs_.size() && mayStart(started, printed)) {
        start(runs_[started++]);
      }
      if (!runs_[printed].over.load(std::memory_order_acquire)) {
        waitForAnEnd();
      }
      std::size_t ready = printed;
      while (ready < started && runs_[ready].over.load(std::memory_order_acquire)) {
        ++ready;
      }
      if (progress_ && ready > printed) {
        progress_->redraw({});
      }
      for (; printed < ready; ++printed) {
        if (runs_[printed].thread.joinable()) {
          runs_[printed].thread.join();
        }
        finished(runs_[printed].outcome);
      }
      if (progress_) {
        progress_->redraw(shown(printed, started));
      }
    }
  }

private:
  // In the order named: a job starts once the jobs still running leave it a core, and none of them
  // rewrites the same file. Alone, any job starts.
  [[nodiscard]] bool mayStart(std::size_t candidate, std::size_t printed) const {
    const FileRun &next = runs_[candidate];
    unsigned running = 0;
    for (std::size_t i = printed; i < candidate; ++i) {
      if (runs_[i].over.load(std::memory_order_acquire)) {
        continue;
      }
      if (sameFile(runs_[i].path, next.path)) {
        return false;
      }
      ++running;
    }
    return running < limits_.jobs;
  }

  void start(FileRun &run) {
    run.began = Clock::now();
    try {
      run.thread = std::thread([this, &run] { work(run); });
    } catch (const std::system_error &) {
      work(run); // no thread to be had: slower, never lost
    }
  }

  void work(FileRun &run) {
    bool cancelled = false;
    {
      FileMessages messages(run.outcome.file, run.outcome.messages);
      const JobProgress progress = [this, &run, &cancelled](double fraction) {
        // At 1 the result may already be in place: the job is done, and is let end.
        if (fraction < 1 && stop_()) {
          cancelled = true;
          throw JobCancelled();
        }
        run.fraction.store(fraction, std::memory_order_relaxed);
      };
      try {
        run.outcome.rewritten = job_(run.path, messages, progress);
      } catch (const std::exception &error) {
        // What the job could not report in its own words.
        run.outcome.messages.push_back("orvelin-cli: " + std::string(error.what()));
      }
    }
    if (cancelled && !run.outcome.rewritten) {
      // The job's box only says that it failed; the caller says why, once for every file stopped.
      run.outcome.messages.clear();
      run.outcome.stopped = true;
    }
    run.ended = Clock::now();
    {
      const std::lock_guard lock(mutex_);
      run.over.store(true, std::memory_order_release);
      ++ends_;
    }
    anEnd_.notify_one();
  }

  // Until a job ends; with progress to show, no longer than until the next redraw.
  void waitForAnEnd() {
    std::unique_lock lock(mutex_);
    const auto ended = [this] { return ends_ != endsSeen_; };
    if (progress_) {
      anEnd_.wait_for(lock, redrawEvery, ended);
    } else {
      anEnd_.wait(lock, ended);
    }
    endsSeen_ = ends_;
  }

  // The jobs begun long enough ago, whose lines are still to come.
  [[nodiscard]] std::vector<FileProgress> shown(std::size_t printed, std::size_t started) const {
    const Clock::time_point now = Clock::now();
    std::vector<FileProgress> lines;
    for (std::size_t i = printed; i < started; ++i) {
      const FileRun &run = runs_[i];
      const Clock::time_point until = run.over.load(std::memory_order_acquire) ? run.ended : now;
      if (until - run.began >= progressAfter) {
        lines.push_back({run.outcome.file, run.fraction.load(std::memory_order_relaxed), run.size,
                         std::chrono::duration<double>(until - run.began).count()});
      }
    }
    return lines;
  }

  std::vector<FileRun> runs_;
  const BatchJob &job_;
  BatchLimits limits_;
  ProgressLines *progress_;
  const StopQuery &stop_;
  std::mutex mutex_;
  std::condition_variable anEnd_;
  std::size_t ends_ = 0;     // guarded by mutex_
  std::size_t endsSeen_ = 0; // the caller's own
};

} // namespace

BatchLimits machineLimits() { return {std::max(std::thread::hardware_concurrency(), 1U)}; }

void runBatch(const std::vector<std::string> &files, const BatchJob &job, const BatchLimits &limits,
              const std::function<void(const FileOutcome &)> &finished, ProgressLines *progress,
              const StopQuery &stop) {
  Batch(files, job, limits, progress, stop).run(finished);
}

} // namespace orvelin::cli
