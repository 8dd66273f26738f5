#include "secure_wipe.h"

#ifdef _WIN32
#include "windows_api.h"
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

} // namespace orvelin
