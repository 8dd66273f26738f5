#include "engine_runs.h"

#include "crypto/clsCrypto.h"
#include "crypto/engine_sequences.h"

namespace orvelin::testing {

std::string sealAndEncrypt(const std::string &password, const std::string &content, MessageSink &messages) {
  clsCrypto engine(messages);
  engine.Password(password);
  engine.InBuffer(content);
  return runEncryption(engine) ? engine.OutBuffer() : std::string();
}

Opened decryptAndUnseal(const std::string &password, const std::string &fileBytes, MessageSink &messages) {
  clsCrypto engine(messages);
  engine.Password(password);
  engine.InBuffer(fileBytes);
  const bool opened = runDecryption(engine);
  return {opened, engine.OutBuffer()};
}

std::string encryptRaw(const std::string &password, const std::string &payload, MessageSink &messages) {
  clsCrypto engine(messages);
  engine.Password(password);
  engine.InBuffer(payload);
  if (!(engine.GeneratePasswordKey() && engine.EncryptMessageData())) {
    return {};
  }
  return engine.OutBuffer();
}

} // namespace orvelin::testing
