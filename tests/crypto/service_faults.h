#pragma once

#include "crypto/service_calls.h"

#include <map>
#include <optional>
#include <vector>

namespace orvelin::testing {

enum class ServiceCall {
  AcquireContext,
  ReleaseContext,
  CreateHash,
  HashData,
  DeriveKey,
  DestroyHash,
  GetHashParam,
  Encrypt,
  Decrypt,
  DestroyKey,
};

// While it lives, every service call of the engine goes through it: it logs each call and makes the
// chosen ones fail with a chosen last-error code instead of reaching the service.
class ServiceFaults {
public:
  ServiceFaults();
  ServiceFaults(const ServiceFaults &) = delete;
  ServiceFaults &operator=(const ServiceFaults &) = delete;
  ~ServiceFaults();

  static constexpr int everyCall = 0;
  // The occurrence-th call of that function (counting from 1), or every one, fails with code.
  void fail(ServiceCall call, DWORD code, int occurrence = everyCall);

  [[nodiscard]] const std::vector<ServiceCall> &log() const { return log_; }
  [[nodiscard]] int count(ServiceCall call) const;

  // Called by the wrappers: logs the call and says the code it must fail with, if any.
  std::optional<DWORD> intercept(ServiceCall call);
  static ServiceFaults &active();

private:
  std::map<std::pair<ServiceCall, int>, DWORD> faults_;
  std::vector<ServiceCall> log_;
  ScopedServiceCalls scope_;
};

} // namespace orvelin::testing
