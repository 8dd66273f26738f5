#pragma once
// The engine reaches the cryptographic service only through this table. Production code always
// uses the platform's functions; a test may put a table of its own in place for a scope, to make
// chosen calls fail.

#include "base/call_table.h"
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

  // The platform's own functions.
  static const ServiceCalls &platform();
};

// The table in force.
inline const ServiceCalls &serviceCalls() { return CallTable<ServiceCalls>::current(); }
inline const ServiceCalls &platformServiceCalls() { return ServiceCalls::platform(); }
using ScopedServiceCalls = CallTable<ServiceCalls>::Scoped;

} // namespace orvelin
