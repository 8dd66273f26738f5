#pragma once
// Writes the engine's finished slices to a replacement on a thread of its own, in the order they
// come, while the engine works on the next ones.

#include "crypto/slice_stream.h"
#include "file_replacement.h"
#include "slice_queue.h"
#include "system_files.h"

#include <exception>
#include <optional>
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
  void take(std::string slice) override;
  // Returns once every slice taken is written; throws what stopped the writing, if anything did.
  void finish();

private:
  void write();
  void append(const std::string &slice);

  ContentReplacement &replacement_;
  std::optional<SliceQueue> queue_; // none: slices written as they are taken
  std::exception_ptr stopped_;      // set before the queue is stopped
  std::thread thread_;
};

} // namespace orvelin
