#pragma once
// A file read, or written, from start to end past the system's cache where the file system allows
// it (see cache_control.h), through a staging buffer of whole blocks at an aligned address, since
// the callers' buffers are neither. Where the cache cannot be bypassed, or the file system refuses
// a transfer part-way, the bytes go through the cache as they come, the same bytes either way.

#include "system_files.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvelin {

// Room for stagedBytes at an address uncached transfers accept.
class StagingBuffer {
public:
  // Bytes transferred in one call: enough that a call costs little next to its bytes.
  static constexpr std::size_t stagedBytes = std::size_t{1} << 20;

  StagingBuffer();
  StagingBuffer(const StagingBuffer &) = delete;
  StagingBuffer &operator=(const StagingBuffer &) = delete;
  ~StagingBuffer() = default;

  [[nodiscard]] char *data() const { return data_; }

private:
  std::string room_;
  char *data_;
};

// Reads a file from its current position on.
class UncachedReads {
public:
  explicit UncachedReads(os::FileHandle file);

  // As os::readSome.
  std::optional<std::size_t> readSome(char *buffer, std::size_t count);

private:
  os::FileHandle file_;
  std::optional<StagingBuffer> staging_; // none once reads go through the cache
  std::size_t next_ = 0;                 // staged bytes [next_, end_) are still to be handed out
  std::size_t end_ = 0;
};

// Writes a new file from its start.
class UncachedAppends {
public:
  explicit UncachedAppends(os::FileHandle file);

  // Writes bytes after those before; some may wait in the staging buffer until finish. False, with
  // the reason in os::lastError(), when they could not all be written, or the disk reported an
  // error for bytes written before.
  bool append(std::string_view bytes);
  // Writes what waits, as append.
  bool finish();

private:
  bool writeStaged(std::size_t length);
  bool writeCached(std::string_view bytes);

  os::FileHandle file_;
  std::optional<StagingBuffer> staging_; // none once writes go through the cache
  std::size_t staged_ = 0;
  std::uint64_t written_ = 0;
  std::uint64_t flushed_ = 0;  // bytes before this are known to be on the disk
  std::uint64_t released_ = 0; // the cache of the bytes before this is given back
};

} // namespace orvelin
