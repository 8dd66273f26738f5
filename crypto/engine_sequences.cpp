#include "engine_sequences.h"

#include "clsCrypto.h"

namespace orvelin {
namespace {

// A failure to destroy the key has been shown in its box; the result it would spoil is complete.
void destroySessionKey(clsCrypto &engine) { static_cast<void>(engine.DestroySessionKey()); }

} // namespace

bool runEncryption(clsCrypto &engine) {
  if (!engine.HashFile() || !engine.GeneratePasswordKey() || !engine.EncryptFileData()) {
    return false;
  }
  destroySessionKey(engine);
  return true;
}

bool runDecryption(clsCrypto &engine) {
  if (!engine.GeneratePasswordKey() || !engine.DecryptFileData()) {
    return false;
  }
  destroySessionKey(engine);
  return true;
}

} // namespace orvelin
