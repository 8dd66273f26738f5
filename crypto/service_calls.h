#pragma once
// The engine reaches the cryptographic service only through this table. Production code always
// uses the platform's functions; a test may put a table of its own in place for a scope, to make
// chosen calls fail.

#include "cryptoapi.h"

namespace orvelin {

struct ServiceCalls {
  decltype(&::CryptAcquireContextA) CryptAcquireContextA;
  decltype(&::CryptReleaseContext) CryptReleaseContext;
  decltype(&::CryptCreateHash) CryptCreateHash;
  decltype(&::CryptHashData) CryptHashData;
  decltype(&::CryptDeriveKey) CryptDeriveKey;
  decltype(&::CryptDestroyHash) CryptDestroyHash;
  decltype(&::CryptGetHashParam) CryptGetHashParam;
  decltype(&::CryptEncrypt) CryptEncrypt;
  decltype(&::CryptDecrypt) CryptDecrypt;
  decltype(&::CryptDestroyKey) CryptDestroyKey;
};

// The platform's own functions.
const ServiceCalls &platformServiceCalls();

// The table in force.
const ServiceCalls &serviceCalls();

class ScopedServiceCalls {
public:
  explicit ScopedServiceCalls(const ServiceCalls &replacement);
  ScopedServiceCalls(const ScopedServiceCalls &) = delete;
  ScopedServiceCalls &operator=(const ScopedServiceCalls &) = delete;
  ~ScopedServiceCalls();

private:
  const ServiceCalls *previous_;
};

} // namespace orvelin
