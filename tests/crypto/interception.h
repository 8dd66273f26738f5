#pragma once
// Puts a table of intercepting functions in place of a call table for as long as it lives: each
// call is logged, and the ones the plan names fail with their code instead of reaching the platform.
// Derived says how a failure looks: `template <typename R> static R failWith(Code)`.

#include "base/call_table.h"
#include "fault_plan.h"

#include <type_traits>
#include <utility>

namespace orvelin::testing {

template <typename Derived, typename Table, typename Call, typename Code>
class Interception : public FaultPlan<Call, Code> {
public:
  explicit Interception(const Table &intercepting)
      : scope_(intercepting), previous_(std::exchange(active_, static_cast<Derived *>(this))) {}
  Interception(const Interception &) = delete;
  Interception &operator=(const Interception &) = delete;
  // The one it took over from, if any, intercepts again.
  ~Interception() { active_ = previous_; }

  static Derived &active() { return *active_; }

  // The intercepting stand-in for one member of the table.
  template <Call call, auto member> static constexpr auto intercepted() {
    using Function = std::remove_cvref_t<decltype(std::declval<Table>().*member)>;
    return &Interceptor<call, member, Function>::invoke;
  }

private:
  template <Call call, auto member, typename Function> struct Interceptor;
  template <Call call, auto member, typename Result, typename... Args>
  struct Interceptor<call, member, Result (*)(Args...)> {
    static Result invoke(Args... args) {
      if (const auto code = active().intercept(call)) {
        return Derived::template failWith<Result>(*code);
      }
      return (Table::platform().*member)(args...);
    }
  };

  typename CallTable<Table>::Scoped scope_;
  Derived *previous_;
  static inline Derived *active_ = nullptr;
};

} // namespace orvelin::testing
