#include "content_reader.h"

#include "crypto/clsCrypto.h"
#include "uncached_io.h"

#include <algorithm>
#include <system_error>

namespace orvelin {
namespace {

// As long as the engine's slice, so that its first one is worked on as soon as it is there.
constexpr std::size_t readPiece = clsCrypto::sliceSize;

bool atEnd(UncachedReads &reads) {
  char extra = 0;
  return reads.readSome(&extra, 1) == std::size_t{0};
}

// Closes a file however the reading ends.
class ClosedAtEnd {
public:
  explicit ClosedAtEnd(os::FileHandle file) : file_(file) {}
  ClosedAtEnd(const ClosedAtEnd &) = delete;
  ClosedAtEnd &operator=(const ClosedAtEnd &) = delete;
  ~ClosedAtEnd() { os::close(file_); }

private:
  os::FileHandle file_;
};

} // namespace

ContentReader::ContentReader(os::FileHandle file, char *buffer, std::size_t size)
    : file_(file), buffer_(buffer), size_(size) {
  try {
    thread_ = std::thread([this] { read(); });
  } catch (const std::system_error &) {
    read(); // slower, never lost
  }
}

ContentReader::~ContentReader() {
  stopping_ = true;
  if (thread_.joinable()) {
    thread_.join();
  }
}

// A file that grew since it was measured would lose its tail: it counts as changed, like one that
// shrank. The last bytes count as read only once the end has been found where it was.
void ContentReader::read() {
  try {
    const ClosedAtEnd closing(file_);
    UncachedReads reads(file_);
    for (std::size_t done = 0; done < size_ && !stopping_;) {
      const std::optional<std::size_t> got = reads.readSome(buffer_ + done, std::min(size_ - done, readPiece));
      if (!got || *got == 0) {
        const ReadFault fault{got.has_value(), os::lastError()};
        const std::scoped_lock lock(mutex_);
        fault_ = fault;
        changed_.notify_all();
        return;
      }
      done += *got;
      if (done < size_) {
        publish(done);
      }
    }
    if (stopping_) {
      return;
    }
    const bool ended = atEnd(reads);
    const std::scoped_lock lock(mutex_);
    if (ended) {
      filled_ = size_;
      whole_ = true;
    } else {
      fault_ = ReadFault{true, 0};
    }
    changed_.notify_all();
  } catch (...) {
    const std::scoped_lock lock(mutex_);
    thrown_ = std::current_exception();
    changed_.notify_all();
  }
}

void ContentReader::publish(std::size_t filled) {
  const std::scoped_lock lock(mutex_);
  filled_ = filled;
  changed_.notify_all();
}

void ContentReader::throwWhatStopped() const {
  if (thrown_) {
    std::rethrow_exception(thrown_);
  }
  if (fault_) {
    throw ReadFault{fault_->changed, fault_->error};
  }
}

void ContentReader::waitFor(std::size_t end) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return whole_ || fault_ || thrown_ || (end < size_ && filled_ >= end); });
  throwWhatStopped();
}

std::size_t ContentReader::filled() const {
  const std::scoped_lock lock(mutex_);
  return filled_;
}

void ContentReader::finish() {
  if (thread_.joinable()) {
    thread_.join();
  }
  throwWhatStopped();
}

} // namespace orvelin
