#pragma once
// Which intercepted calls must fail, and with what code; and the log of every call made, from
// whichever thread makes it (a job reads and writes on threads of its own).

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace orvelin::testing {

template <typename Call, typename Code> class FaultPlan {
public:
  static constexpr int everyCall = 0;

  // The occurrence-th call of that function (counting from 1), or every one, fails with code.
  void fail(Call call, Code code, int occurrence = everyCall) { faults_[{call, occurrence}] = code; }

  [[nodiscard]] const std::vector<Call> &log() const { return log_; }
  [[nodiscard]] int count(Call call) const { return static_cast<int>(std::count(log_.begin(), log_.end(), call)); }

  // Logs the call and says the code it must fail with, if any.
  std::optional<Code> intercept(Call call) {
    const std::scoped_lock lock(mutex_);
    log_.push_back(call);
    for (const int occurrence : {count(call), everyCall}) {
      if (const auto fault = faults_.find({call, occurrence}); fault != faults_.end()) {
        return fault->second;
      }
    }
    return std::nullopt;
  }

private:
  std::map<std::pair<Call, int>, Code> faults_;
  std::vector<Call> log_;
  std::mutex mutex_;
};

} // namespace orvelin::testing
