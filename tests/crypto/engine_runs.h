#pragma once
// The engine driven the way the file jobs drive it, for tests of the format; its boxes go to messages.

#include "base/message_sink.h"

#include <string>

namespace orvelin::testing {

// The file bytes that content encrypts to, or empty when a step failed.
std::string sealAndEncrypt(const std::string &password, const std::string &content, MessageSink &messages);

struct Opened {
  bool ok;
  std::string content;
};
Opened decryptAndUnseal(const std::string &password, const std::string &fileBytes, MessageSink &messages);

// The ciphertext of an arbitrary payload, unsealed: for building foreign or damaged files.
std::string encryptRaw(const std::string &password, const std::string &payload, MessageSink &messages);

} // namespace orvelin::testing
