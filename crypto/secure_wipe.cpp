#include "secure_wipe.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <openssl/crypto.h>
#endif

namespace orvelin {

void wipe(std::string &secret) {
#ifdef _WIN32
  SecureZeroMemory(secret.data(), secret.size());
#else
  OPENSSL_cleanse(secret.data(), secret.size());
#endif
  secret.clear();
}

} // namespace orvelin
