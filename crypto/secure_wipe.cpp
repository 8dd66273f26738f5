#include "secure_wipe.h"

#ifdef _WIN32
#include "cryptoapi.h" // windows.h, included the way the whole layer includes it
#else
#include <openssl/crypto.h>
#endif

namespace orvelin {

void wipe(void *data, std::size_t size) {
#ifdef _WIN32
  SecureZeroMemory(data, size);
#else
  OPENSSL_cleanse(data, size);
#endif
}

void wipe(std::string &secret) {
  secret.resize(secret.capacity());
  wipe(secret.data(), secret.size());
  secret.clear();
}

} // namespace orvelin
