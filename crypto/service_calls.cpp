#include "service_calls.h"

namespace orvelin {

const ServiceCalls &ServiceCalls::platform() {
  static const ServiceCalls calls{
      ::CryptAcquireContextA, ::CryptReleaseContext, ::CryptCreateHash, ::CryptHashData, ::CryptDeriveKey,
      ::CryptDestroyHash,     ::CryptGetHashParam,   ::CryptEncrypt,    ::CryptDecrypt,  ::CryptDestroyKey,
  };
  return calls;
}

} // namespace orvelin
