#pragma once

#include <future>
#include <system_error>
#include <type_traits>
#include <utility>

namespace orvelin {

// Starts work on a thread of its own. Where no thread can be had (too little memory for its
// stack), the work runs on the thread that asks for its result, when it asks: slower, never lost.
template <typename Work> std::future<std::invoke_result_t<Work>> startOnAnotherCore(Work work) {
  try {
    return std::async(std::launch::async, work);
  } catch (const std::system_error &) {
    return std::async(std::launch::deferred, std::move(work));
  }
}

} // namespace orvelin
