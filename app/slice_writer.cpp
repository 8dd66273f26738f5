#include "slice_writer.h"

#include <system_error>

namespace orvelin {

SliceWriter::SliceWriter(ContentReplacement &replacement) : replacement_(replacement) {
  try {
    thread_ = std::thread([this] { write(); });
  } catch (const std::system_error &) {
    // No thread: take() writes.
  }
}

SliceWriter::~SliceWriter() {
  {
    const std::scoped_lock lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) {
    thread_.join();
  }
}

void SliceWriter::write() {
  try {
    for (;;) {
      std::string_view slice;
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        if (stopping_) {
          return;
        }
        slice = pending_.front();
      }
      const bool wrote = replacement_.append(slice);
      const os::ErrorCode error = os::lastError();
      const std::scoped_lock lock(mutex_);
      pending_.pop_front();
      if (!wrote) {
        fault_ = WriteFault{error};
      }
      changed_.notify_all();
      if (!wrote) {
        return;
      }
    }
  } catch (...) {
    const std::scoped_lock lock(mutex_);
    thrown_ = std::current_exception();
    changed_.notify_all();
  }
}

void SliceWriter::throwWhatStopped() const {
  if (thrown_) {
    std::rethrow_exception(thrown_);
  }
  if (fault_) {
    throw WriteFault{fault_->error};
  }
}

void SliceWriter::take(std::string_view slice) {
  if (!thread_.joinable()) {
    if (!slice.empty() && !replacement_.append(slice)) {
      fault_ = WriteFault{os::lastError()};
    }
    throwWhatStopped();
    return;
  }
  {
    const std::scoped_lock lock(mutex_);
    throwWhatStopped();
    if (slice.empty()) {
      return;
    }
    pending_.push_back(slice);
  }
  changed_.notify_all();
}

void SliceWriter::release() noexcept {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return pending_.empty() || fault_ || thrown_; });
}

void SliceWriter::finish() {
  const std::scoped_lock lock(mutex_);
  throwWhatStopped();
}

} // namespace orvelin
