#include "service_calls.h"

#include <atomic>

namespace orvelin {
namespace {

std::atomic<const ServiceCalls *> current{&platformServiceCalls()};

} // namespace

const ServiceCalls &platformServiceCalls() {
  static const ServiceCalls calls{
      ::CryptAcquireContextA, ::CryptReleaseContext, ::CryptCreateHash, ::CryptHashData, ::CryptDeriveKey,
      ::CryptDestroyHash,     ::CryptGetHashParam,   ::CryptEncrypt,    ::CryptDecrypt,  ::CryptDestroyKey,
  };
  return calls;
}

const ServiceCalls &serviceCalls() { return *current.load(); }

ScopedServiceCalls::ScopedServiceCalls(const ServiceCalls &replacement) : previous_(current.exchange(&replacement)) {}

ScopedServiceCalls::~ScopedServiceCalls() { current.store(previous_); }

} // namespace orvelin
