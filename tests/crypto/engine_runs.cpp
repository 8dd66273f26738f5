#include "engine_runs.h"

#include "crypto/clsCrypto.h"

namespace orvelin::testing {

std::string sealAndEncrypt(const std::string &password, const std::string &content) {
  clsCrypto engine;
  engine.Password(password);
  engine.InBuffer(content);
  if (!(engine.HashFile() && engine.GeneratePasswordKey() && engine.EncryptFileData())) {
    return {};
  }
  engine.DestroySessionKey();
  return engine.OutBuffer();
}

Opened decryptAndUnseal(const std::string &password, const std::string &fileBytes) {
  clsCrypto engine;
  engine.Password(password);
  engine.InBuffer(fileBytes);
  if (!(engine.GeneratePasswordKey() && engine.DecryptFileData())) {
    return {false, engine.OutBuffer()};
  }
  engine.DestroySessionKey();
  return {true, engine.OutBuffer()};
}

std::string encryptRaw(const std::string &password, const std::string &payload) {
  clsCrypto engine;
  engine.Password(password);
  engine.InBuffer(payload);
  if (!(engine.GeneratePasswordKey() && engine.EncryptMessageData())) {
    return {};
  }
  return engine.OutBuffer();
}

} // namespace orvelin::testing
