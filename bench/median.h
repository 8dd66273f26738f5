#pragma once

#include <algorithm>
#include <vector>

namespace orvelin::bench {

// The middle of several timings, which one slow run (another program's moment on a shared core)
// does not move.
inline double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace orvelin::bench
