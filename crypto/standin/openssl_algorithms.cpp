#include "openssl_algorithms.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <cstdio>

namespace orvelin::standin {
namespace {

std::string openSslError(const char *what) {
  std::string text = what;
  if (const unsigned long code = ERR_get_error(); code != 0) {
    char reason[256];
    ERR_error_string_n(code, reason, sizeof reason);
    text += ": ";
    text += reason;
  }
  ERR_clear_error();
  return text;
}

OpenSslAlgorithms fetchAlgorithms() {
  OpenSslAlgorithms algorithms;
  OSSL_LIB_CTX *library = OSSL_LIB_CTX_new();
  OSSL_PROVIDER *defaults = nullptr;
  OSSL_PROVIDER *legacy = nullptr;
  if (library == nullptr) {
    algorithms.failure = openSslError("cannot create an OpenSSL library context");
  } else if ((defaults = OSSL_PROVIDER_load(library, "default")) == nullptr) {
    algorithms.failure = openSslError("cannot load OpenSSL's default provider");
  } else if ((legacy = OSSL_PROVIDER_load(library, "legacy")) == nullptr) {
    algorithms.failure = openSslError("cannot load OpenSSL's legacy provider, which holds RC2");
  } else if ((algorithms.md5 = EVP_MD_fetch(library, "MD5", nullptr)) == nullptr) {
    algorithms.failure = openSslError("cannot fetch MD5");
  } else if ((algorithms.rc2Cbc = EVP_CIPHER_fetch(library, "RC2-CBC", nullptr)) == nullptr) {
    algorithms.failure = openSslError("cannot fetch RC2-CBC");
  }
  if (algorithms.failure.empty()) {
    // The context and the fetched algorithms live as long as the process.
    return algorithms;
  }
  // The service's error code cannot carry the reason, so it is said once where an operator sees it.
  (void)std::fprintf(stderr, "CryptoAPI stand-in: %s\n", algorithms.failure.c_str());
  EVP_MD_free(const_cast<EVP_MD *>(algorithms.md5));
  for (OSSL_PROVIDER *provider : {legacy, defaults}) {
    if (provider != nullptr) {
      OSSL_PROVIDER_unload(provider);
    }
  }
  OSSL_LIB_CTX_free(library);
  return {nullptr, nullptr, algorithms.failure};
}

} // namespace

const OpenSslAlgorithms &openSslAlgorithms() {
  static const OpenSslAlgorithms algorithms = fetchAlgorithms();
  return algorithms;
}

} // namespace orvelin::standin
