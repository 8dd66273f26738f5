#pragma once
// A few slices handed from one thread to another, in order: the giver waits while the queue is
// full and the taker while it is empty, so that neither runs ahead by more than a few slices.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <string>

namespace orvelin {

class SliceQueue {
public:
  // Enough to even out a disk's pauses; each slice held costs its size in memory.
  static constexpr std::size_t capacity = 4;

  // Waits for room. False, the slice dropped, once the taker has stopped.
  bool give(std::string slice) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopped_ || slices_.size() < capacity; });
    if (stopped_) {
      return false;
    }
    slices_.push_back(std::move(slice));
    changed_.notify_all();
    return true;
  }

  // There are no more slices; fault, when there is one, is why, and take throws it.
  void end(std::exception_ptr fault = nullptr) {
    const std::scoped_lock lock(mutex_);
    ended_ = true;
    fault_ = std::move(fault);
    changed_.notify_all();
  }

  // Waits for the next slice; nothing once they have ended or the queue is stopped, or the fault
  // that ended them thrown.
  std::optional<std::string> take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return ended_ || stopped_ || !slices_.empty(); });
    if (!slices_.empty()) {
      std::string slice = std::move(slices_.front());
      slices_.pop_front();
      changed_.notify_all();
      return slice;
    }
    if (fault_) {
      std::rethrow_exception(fault_);
    }
    return std::nullopt;
  }

  // Either side wants no more: what is queued goes, give returns false and take nothing from now on.
  void stop() {
    const std::scoped_lock lock(mutex_);
    stopped_ = true;
    slices_.clear();
    changed_.notify_all();
  }

private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> slices_;
  bool ended_ = false;
  bool stopped_ = false;
  std::exception_ptr fault_;
};

} // namespace orvelin
