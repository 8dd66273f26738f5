#pragma once
// Reads a file into a buffer of its size on a thread of its own, so that the engine can work on the
// first slices while the rest is still being read.

#include "system_files.h"
#include "whole_file.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace orvelin {

class ContentReader {
public:
  // Starts reading file, which it closes once done, into buffer[0, size). Where no thread can be
  // had, reads it all before returning.
  ContentReader(os::FileHandle file, char *buffer, std::size_t size);
  ContentReader(const ContentReader &) = delete;
  ContentReader &operator=(const ContentReader &) = delete;
  // Stops a reading still going at its next piece, and waits for it.
  ~ContentReader();

  // Returns once buffer[0, end) is read and, for end at the size, once the file is known to end
  // there. Throws the ReadFault that stopped the reading, or what the reading thread threw.
  void waitFor(std::size_t end);
  // How many bytes are read so far.
  [[nodiscard]] std::size_t filled() const;
  // Waits for the reading to end, the file closed; throws as waitFor unless it read the file whole.
  void finish();

private:
  void read();
  void publish(std::size_t filled);
  void throwWhatStopped() const;

  os::FileHandle file_;
  char *buffer_;
  std::size_t size_;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t filled_ = 0;
  bool whole_ = false;
  std::optional<ReadFault> fault_;
  std::exception_ptr thrown_;
  std::thread thread_;
};

} // namespace orvelin
