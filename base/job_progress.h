#pragma once

#include <functional>

namespace orvelin {

// A job's progress, the fraction of its work done from 0 to 1, told from the thread running it.
using JobProgress = std::function<void(double fraction)>;

} // namespace orvelin
