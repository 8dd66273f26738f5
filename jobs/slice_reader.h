#pragma once
// Reads a file a slice at a time on a thread of its own, a few slices ahead of the engine, once for
// each pass the engine makes over it.

#include "crypto/slice_stream.h"
#include "file_to_read.h"
#include "slice_queue.h"

#include <optional>
#include <thread>

namespace orvelin {

class SliceReader final : public SliceSource {
public:
  // Reads file, which must outlive the reader: the first pass through the handle it was opened
  // with, each later one through a handle opened again where it was found. Where no thread can be
  // had, each slice is read as it is asked for: slower, never lost.
  explicit SliceReader(FileToRead &file);
  SliceReader(const SliceReader &) = delete;
  SliceReader &operator=(const SliceReader &) = delete;
  // Stops a reading still going, and waits for it.
  ~SliceReader() override;

  // Starts a pass. A file that is no longer the one first opened (gone, or another, or a link, at its
  // name), or has changed since (its length, its times), throws ReadFault, changed; one that cannot
  // be opened again, ReadFault with the error.
  void restart() override;
  // Throws the ReadFault that stopped the pass: a read that failed, or a file whose length is not
  // what it was when opened (it counts as changed).
  std::string next() override;
  [[nodiscard]] std::uint64_t size() const override { return file_.stamp().size; }

private:
  void readPass(os::FileHandle handle);
  std::string readSlice(os::FileHandle handle);
  void endPass();

  FileToRead &file_;
  bool firstPass_ = true;
  std::optional<os::FileHandle> handle_; // the pass's, closed when it ends
  std::uint64_t done_ = 0;               // bytes read in this pass
  std::optional<SliceQueue> queue_;
  std::thread thread_;
};

} // namespace orvelin
