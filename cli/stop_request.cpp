#include "stop_request.h"

#include <atomic>

namespace orvelin::cli {
namespace {

// Written from a signal handler, where only a lock-free atomic may be touched.
std::atomic<const StopCause *> firstRequest{nullptr};
static_assert(std::atomic<const StopCause *>::is_always_lock_free);

} // namespace

const StopCause *stopRequested() { return firstRequest.load(std::memory_order_acquire); }

bool requestStop(const StopCause &cause) {
  const StopCause *none = nullptr;
  return firstRequest.compare_exchange_strong(none, &cause, std::memory_order_acq_rel);
}

} // namespace orvelin::cli
