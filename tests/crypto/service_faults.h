#pragma once

#include "crypto/service_calls.h"
#include "fault_plan.h"

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
class ServiceFaults : public FaultPlan<ServiceCall, DWORD> {
public:
  ServiceFaults();
  ServiceFaults(const ServiceFaults &) = delete;
  ServiceFaults &operator=(const ServiceFaults &) = delete;
  ~ServiceFaults();

  static ServiceFaults &active();

private:
  ScopedServiceCalls scope_;
};

} // namespace orvelin::testing
