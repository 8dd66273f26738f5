#pragma once
// An independent model of the cipher of the encrypted-file format, written on OpenSSL's low-level
// RC2 and MD5 rather than the EVP path the stand-in takes, so that it can tell the stand-in wrong:
// RC2-CBC, key = first 5 bytes of MD5(password) + 11 zero bytes with 40 effective bits, IV of
// zeros, PKCS#5 padding.

#include <optional>
#include <string>
#include <string_view>

namespace orvelin::fuzz {

std::string md5(std::string_view bytes);
std::string referenceEncrypt(std::string_view password, std::string_view plain);
// Nothing when the length is not a positive multiple of 8 or the padding is not 1..8 equal bytes.
std::optional<std::string> referenceDecrypt(std::string_view password, std::string_view cipher);

} // namespace orvelin::fuzz
