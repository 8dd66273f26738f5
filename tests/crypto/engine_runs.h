#pragma once
// The engine driven the way the file jobs drive it, for tests of the format.

#include <string>

namespace orvelin::testing {

// The file bytes that content encrypts to, or empty when a step failed.
std::string sealAndEncrypt(const std::string &password, const std::string &content);

struct Opened {
  bool ok;
  std::string content;
};
Opened decryptAndUnseal(const std::string &password, const std::string &fileBytes);

// The ciphertext of an arbitrary payload, unsealed: for building foreign or damaged files.
std::string encryptRaw(const std::string &password, const std::string &payload);

} // namespace orvelin::testing
