#pragma once
// InBuffer and OutBuffer as an operation's input and output, for callers that hold whole buffers.

#include "clsCrypto.h"

#include <string>

namespace orvelin {

// A buffer as an input: copied out a slice at a time.
class BufferSlices final : public SliceSource {
public:
  explicit BufferSlices(const std::string &buffer) : buffer_(buffer) {}

  void restart() override { offset_ = 0; }
  std::string next() override {
    std::string slice = buffer_.substr(offset_, clsCrypto::sliceSize);
    offset_ += slice.size();
    return slice;
  }
  [[nodiscard]] std::uint64_t size() const override { return buffer_.size(); }

private:
  const std::string &buffer_;
  std::size_t offset_ = 0;
};

// A buffer as an output: the slices joined.
class AppendedTo final : public SliceSink {
public:
  explicit AppendedTo(std::string &result) : result_(result) {}

  void take(std::string slice) override { result_.append(slice); }

private:
  std::string &result_;
};

} // namespace orvelin
