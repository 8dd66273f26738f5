#pragma once

#include "crypto/service_calls.h"
#include "interception.h"

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
class ServiceFaults : public Interception<ServiceFaults, ServiceCalls, ServiceCall, DWORD> {
public:
  ServiceFaults();

  template <typename Result> static Result failWith(DWORD code) {
    SetLastError(code);
    return FALSE;
  }
};

} // namespace orvelin::testing
