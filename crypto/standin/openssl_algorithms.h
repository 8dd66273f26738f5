#pragma once
// The two algorithms the stand-in needs, fetched once from a library context of its own, so that
// loading the legacy provider (home of RC2) changes nothing for other users of OpenSSL in the process.

#include <openssl/types.h>

#include <string>

namespace orvelin::standin {

struct OpenSslAlgorithms {
  const EVP_MD *md5 = nullptr;
  const EVP_CIPHER *rc2Cbc = nullptr;
  std::string failure; // why the algorithms are unavailable; empty when both were fetched
};

const OpenSslAlgorithms &openSslAlgorithms();

} // namespace orvelin::standin
