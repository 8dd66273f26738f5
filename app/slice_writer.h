#pragma once
// Writes the engine's finished slices to a replacement on a thread of its own, in the order they
// come, while the engine works on the next ones.

#include "crypto/slice_sink.h"
#include "file_replacement.h"
#include "system_files.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>

namespace orvelin {

// Why the writing stopped: an append that failed with error.
struct WriteFault {
  os::ErrorCode error;
};

class SliceWriter final : public SliceSink {
public:
  // Where no thread can be had, each slice is written as it is taken: slower, never lost.
  explicit SliceWriter(ContentReplacement &replacement);
  SliceWriter(const SliceWriter &) = delete;
  SliceWriter &operator=(const SliceWriter &) = delete;
  // Stops once the slice being written is, and waits for the thread.
  ~SliceWriter() override;

  // Queues the slice. Once the writing has stopped, throws what stopped it (a WriteFault, or what
  // the writing thread threw), so that the engine goes no further.
  void take(std::string_view slice) override;
  // Returns once every slice taken is written, or the writing has stopped.
  void release() noexcept override;
  // After release: throws what stopped the writing, if anything did.
  void finish();

private:
  void write();
  void throwWhatStopped() const;

  ContentReplacement &replacement_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string_view> pending_; // the front one is being written
  bool stopping_ = false;
  std::optional<WriteFault> fault_;
  std::exception_ptr thrown_;
  std::thread thread_;
};

} // namespace orvelin
