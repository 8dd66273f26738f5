#pragma once

#include <string_view>
#include <utility>

namespace orvelin {

// Where the engine hands each finished slice of its result, in order, as soon as the service has
// worked through it: a caller can write it out on another thread while the next slice is worked on.
class SliceSink {
public:
  virtual ~SliceSink() = default;

  // A slice, which may be empty. Its bytes stay where they are, unchanged, until release() has
  // returned. An exception stops the operation and goes on to its caller.
  virtual void take(std::string_view slice) = 0;

  // Returns once the sink has done with every slice it was given. The engine calls it at the end of
  // each operation that hands slices over, however the operation ends, before it moves or frees
  // their bytes.
  virtual void release() noexcept = 0;

protected:
  SliceSink() = default;
  SliceSink(const SliceSink &) = default;
  SliceSink &operator=(const SliceSink &) = default;
};

// Releases a sink, if there is one, at the end of its scope, or earlier when told: declared after
// the buffer the slices lie in, it runs before that buffer goes.
class ReleasedAtEnd {
public:
  explicit ReleasedAtEnd(SliceSink *sink) : sink_(sink) {}
  ReleasedAtEnd(const ReleasedAtEnd &) = delete;
  ReleasedAtEnd &operator=(const ReleasedAtEnd &) = delete;
  ~ReleasedAtEnd() { now(); }

  void now() noexcept {
    if (sink_ != nullptr) {
      std::exchange(sink_, nullptr)->release();
    }
  }
  // The buffer outlives the scope, and whoever keeps it releases the sink.
  void handOn() noexcept { sink_ = nullptr; }

private:
  SliceSink *sink_;
};

} // namespace orvelin
