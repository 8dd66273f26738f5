#include "service_faults.h"

namespace orvelin::testing {
namespace {

using Faults = ServiceFaults;

const ServiceCalls interceptingCalls{
    Faults::intercepted<ServiceCall::AcquireContext, &ServiceCalls::CryptAcquireContextA>(),
    Faults::intercepted<ServiceCall::ReleaseContext, &ServiceCalls::CryptReleaseContext>(),
    Faults::intercepted<ServiceCall::CreateHash, &ServiceCalls::CryptCreateHash>(),
    Faults::intercepted<ServiceCall::HashData, &ServiceCalls::CryptHashData>(),
    Faults::intercepted<ServiceCall::DeriveKey, &ServiceCalls::CryptDeriveKey>(),
    Faults::intercepted<ServiceCall::DestroyHash, &ServiceCalls::CryptDestroyHash>(),
    Faults::intercepted<ServiceCall::GetHashParam, &ServiceCalls::CryptGetHashParam>(),
    Faults::intercepted<ServiceCall::Encrypt, &ServiceCalls::CryptEncrypt>(),
    Faults::intercepted<ServiceCall::Decrypt, &ServiceCalls::CryptDecrypt>(),
    Faults::intercepted<ServiceCall::DestroyKey, &ServiceCalls::CryptDestroyKey>(),
};

} // namespace

ServiceFaults::ServiceFaults() : Interception(interceptingCalls) {}

} // namespace orvelin::testing
