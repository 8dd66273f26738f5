#include "slice_reader.h"

#include "crypto/clsCrypto.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace orvelin {
namespace {

// Room each slice keeps for what the engine adds where it lies: the seal before the first, the
// bytes of a block carried over from the slice before, the padding after the last.
constexpr std::size_t engineRoom = clsCrypto::sealHeaderSize + clsCrypto::paddingGrowth + 8;

} // namespace

SliceReader::SliceReader(FileToRead &file) : file_(file) {}

SliceReader::~SliceReader() { endPass(); }

void SliceReader::endPass() {
  if (queue_) {
    queue_->stop();
  }
  if (thread_.joinable()) {
    thread_.join();
  }
  queue_.reset();
  if (handle_) {
    os::close(*std::exchange(handle_, std::nullopt));
  }
}

void SliceReader::restart() {
  endPass();
  done_ = 0;
  if (firstPass_) {
    firstPass_ = false;
    handle_ = file_.takeHandle();
  } else {
    const std::optional<os::Original> again = os::openOriginal(file_.place());
    if (!again) {
      const os::ErrorCode error = os::lastError();
      throw ReadFault{os::nameGone(error), error};
    }
    handle_ = again->handle;
    if (!again->regular || again->stamp != file_.stamp()) {
      throw ReadFault{true, 0};
    }
  }
  queue_.emplace();
  try {
    thread_ = std::thread([this, handle = *handle_] { readPass(handle); });
  } catch (const std::system_error &) {
    queue_.reset(); // each slice read as it is asked for
  }
}

void SliceReader::readPass(os::FileHandle handle) {
  try {
    for (std::string slice = readSlice(handle); !slice.empty(); slice = readSlice(handle)) {
      if (!queue_->give(std::move(slice))) {
        return;
      }
    }
    queue_->end();
  } catch (...) {
    queue_->end(std::current_exception());
  }
}

std::string SliceReader::next() {
  if (!queue_) {
    return readSlice(*handle_);
  }
  std::optional<std::string> slice = queue_->take();
  return slice ? std::move(*slice) : std::string();
}

std::string SliceReader::readSlice(os::FileHandle handle) {
  const std::uint64_t left = size() - done_;
  if (left == 0) {
    // The last bytes count only once the file is known to end there: one that grew would lose its
    // tail.
    char extra = 0;
    const std::optional<std::size_t> got = os::readSome(handle, &extra, 1);
    if (!got) {
      throw ReadFault{false, os::lastError()};
    }
    if (*got != 0) {
      throw ReadFault{true, 0};
    }
    return {};
  }
  const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(left, clsCrypto::sliceSize));
  std::string slice;
  slice.reserve(length + engineRoom);
  slice.resize(length);
  for (std::size_t filled = 0; filled < length;) {
    const std::optional<std::size_t> got = os::readSome(handle, slice.data() + filled, length - filled);
    if (!got) {
      throw ReadFault{false, os::lastError()};
    }
    if (*got == 0) {
      throw ReadFault{true, 0}; // shorter than it was
    }
    filled += *got;
  }
  done_ += length;
  return slice;
}

} // namespace orvelin
