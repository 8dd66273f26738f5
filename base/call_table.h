#pragma once
// A table of platform functions that production code calls through, so that a test can put a
// table of its own in place for a scope (to make chosen calls fail) without any test hook in the
// production path. Table::platform() gives the real functions.

#include <atomic>

namespace orvelin {

template <typename Table> class CallTable {
public:
  static const Table &current() { return *active().load(); }

  class Scoped {
  public:
    explicit Scoped(const Table &replacement) : previous_(active().exchange(&replacement)) {}
    Scoped(const Scoped &) = delete;
    Scoped &operator=(const Scoped &) = delete;
    ~Scoped() { active().store(previous_); }

  private:
    const Table *previous_;
  };

private:
  static std::atomic<const Table *> &active() {
    static std::atomic<const Table *> table{&Table::platform()};
    return table;
  }
};

} // namespace orvelin
