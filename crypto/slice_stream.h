#pragma once
// How the engine takes its input and hands on its result a slice at a time, so that a file of any
// size goes through it in a few slices' worth of memory.

#include <cstdint>
#include <string>

namespace orvelin {

// Where the engine takes its input from, in order.
class SliceSource {
public:
  virtual ~SliceSource() = default;

  // Starts the input again from its first byte: every operation reads its input from there, and the
  // encryption reads it twice, once for the digest and once for the cipher. May throw (the input
  // changed, say), which stops the operation and goes on to its caller.
  virtual void restart() = 0;
  // The next slice, which is never empty, or an empty string once the input has ended. May throw,
  // as restart does.
  virtual std::string next() = 0;
  // The input's length in bytes, for progress.
  [[nodiscard]] virtual std::uint64_t size() const = 0;

protected:
  SliceSource() = default;
  SliceSource(const SliceSource &) = default;
  SliceSource &operator=(const SliceSource &) = default;
};

// Where the engine hands each finished slice of its result, in order, as soon as the service has
// worked through it. What it was handed is the result only once the operation has returned true.
class SliceSink {
public:
  virtual ~SliceSink() = default;

  // A slice, which may be empty. An exception stops the operation and goes on to its caller.
  virtual void take(std::string slice) = 0;

protected:
  SliceSink() = default;
  SliceSink(const SliceSink &) = default;
  SliceSink &operator=(const SliceSink &) = default;
};

} // namespace orvelin
