#include "service_faults.h"

#include <cassert>
#include <type_traits>

namespace orvelin::testing {
namespace {

ServiceFaults *current = nullptr;

template <ServiceCall Call, auto Member, typename Function> struct Interceptor;

template <ServiceCall Call, auto Member, typename... Args> struct Interceptor<Call, Member, BOOL (*)(Args...)> {
  static BOOL invoke(Args... args) {
    if (const std::optional<DWORD> code = ServiceFaults::active().intercept(Call)) {
      SetLastError(*code);
      return FALSE;
    }
    return (platformServiceCalls().*Member)(args...);
  }
};

template <ServiceCall Call, auto Member> constexpr auto intercepted() {
  using Function = std::remove_cvref_t<decltype(std::declval<ServiceCalls>().*Member)>;
  return &Interceptor<Call, Member, Function>::invoke;
}

const ServiceCalls interceptingCalls{
    intercepted<ServiceCall::AcquireContext, &ServiceCalls::CryptAcquireContextA>(),
    intercepted<ServiceCall::ReleaseContext, &ServiceCalls::CryptReleaseContext>(),
    intercepted<ServiceCall::CreateHash, &ServiceCalls::CryptCreateHash>(),
    intercepted<ServiceCall::HashData, &ServiceCalls::CryptHashData>(),
    intercepted<ServiceCall::DeriveKey, &ServiceCalls::CryptDeriveKey>(),
    intercepted<ServiceCall::DestroyHash, &ServiceCalls::CryptDestroyHash>(),
    intercepted<ServiceCall::GetHashParam, &ServiceCalls::CryptGetHashParam>(),
    intercepted<ServiceCall::Encrypt, &ServiceCalls::CryptEncrypt>(),
    intercepted<ServiceCall::Decrypt, &ServiceCalls::CryptDecrypt>(),
    intercepted<ServiceCall::DestroyKey, &ServiceCalls::CryptDestroyKey>(),
};

} // namespace

ServiceFaults::ServiceFaults() : scope_(interceptingCalls) {
  assert(current == nullptr);
  current = this;
}

ServiceFaults::~ServiceFaults() { current = nullptr; }

ServiceFaults &ServiceFaults::active() { return *current; }

} // namespace orvelin::testing
