#pragma once
// Which intercepted calls must fail, and with what code; and the log of every call made, from
// whichever thread makes it (a job reads and writes on threads of its own).

#include <algorithm>
#include <functional>
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

  // Just before the occurrence-th call of that function, action runs: what another program does at
  // that moment.
  void before(Call call, int occurrence, const std::function<void()> &action) { actions_[{call, occurrence}] = action; }

  [[nodiscard]] const std::vector<Call> &log() const { return log_; }
  [[nodiscard]] int count(Call call) const { return static_cast<int>(std::count(log_.begin(), log_.end(), call)); }

  // Logs the call and says the code it must fail with, if any.
  std::optional<Code> intercept(Call call) {
    std::unique_lock lock(mutex_);
    log_.push_back(call);
    if (const auto action = actions_.find({call, count(call)}); action != actions_.end()) {
      const std::function<void()> act = std::exchange(action->second, nullptr);
      lock.unlock();
      if (act) {
        act();
      }
      lock.lock();
    }
    for (const int occurrence : {count(call), everyCall}) {
      if (const auto fault = faults_.find({call, occurrence}); fault != faults_.end()) {
        return fault->second;
      }
    }
    return std::nullopt;
  }

private:
  std::map<std::pair<Call, int>, Code> faults_;
  std::map<std::pair<Call, int>, std::function<void()>> actions_;
  std::vector<Call> log_;
  std::mutex mutex_;
};

} // namespace orvelin::testing
