// The session key: an RC2 key the service derives from the MD5 digest of the password, so the same
// password gives the same key in every run.

#include "clsCrypto.h"
#include "service_calls.h"

#include <cstdint>
#include <limits>

namespace orvelin {

bool clsCrypto::GeneratePasswordKey() {
  const ServiceCalls &calls = serviceCalls();
  HCRYPTHASH hash = 0;
  if (!calls.CryptCreateHash(ProviderHandle_, CALG_MD5, 0, 0, &hash)) {
    return reportServiceFailure(" during CryptCreateHash!");
  }
  // Made for any length, the empty password included.
  // The service counts bytes in a signed 32-bit length.
  if (Password_.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    return reportFailure(ERROR_NOT_ENOUGH_MEMORY, " during CryptHashData!");
  }
  if (!calls.CryptHashData(hash, reinterpret_cast<const BYTE *>(Password_.data()), static_cast<DWORD>(Password_.size()),
                           0)) {
    return reportServiceFailure(" during CryptHashData!");
  }
  if (!calls.CryptDeriveKey(ProviderHandle_, CALG_RC2, hash, 0, &SessionKeyHandle_)) {
    return reportServiceFailure(" during CryptDeriveKey!");
  }
  if (!calls.CryptDestroyHash(hash)) {
    return reportServiceFailure(" during CryptDestroyHash!");
  }
  return true;
}

bool clsCrypto::DestroySessionKey() {
  if (!serviceCalls().CryptDestroyKey(SessionKeyHandle_)) {
    return reportServiceFailure(" during CryptDestroyKey!");
  }
  return true;
}

} // namespace orvelin
