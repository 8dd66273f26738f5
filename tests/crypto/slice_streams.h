#pragma once
// Inputs and outputs of the engine a slice at a time, for tests that the slices' lengths never
// change the bytes.

#include "crypto/slice_stream.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace orvelin::testing {

// Bytes handed over in slices of the given lengths, in turn: every way a slice can fall against the
// cipher's blocks and the seal.
class SlicesOf final : public SliceSource {
public:
  SlicesOf(std::string bytes, std::vector<std::size_t> lengths)
      : bytes_(std::move(bytes)), lengths_(std::move(lengths)) {}

  void restart() override {
    offset_ = 0;
    turn_ = 0;
    ++passes_;
  }
  std::string next() override {
    std::string slice = bytes_.substr(offset_, lengths_[turn_++ % lengths_.size()]);
    offset_ += slice.size();
    return slice;
  }
  [[nodiscard]] std::uint64_t size() const override { return bytes_.size(); }
  [[nodiscard]] int passes() const { return passes_; }

private:
  std::string bytes_;
  std::vector<std::size_t> lengths_;
  std::size_t offset_ = 0;
  std::size_t turn_ = 0;
  int passes_ = 0;
};

// What the engine handed over, joined.
class Joined final : public SliceSink {
public:
  void take(std::string slice) override { bytes += slice; }

  std::string bytes;
};

} // namespace orvelin::testing
