// Whole-buffer encryption and decryption with the password's session key.

#include "crypto/clsCrypto.h"
#include "crypto/service_calls.h"
#include "engine_runs.h"
#include "message_recorder.h"

#include <gtest/gtest.h>

namespace orvelin::testing {
namespace {

class MessageCipher : public ::testing::Test {
protected:
  void SetUp() override {
    engine.Password("password");
    ASSERT_TRUE(engine.GeneratePasswordKey());
  }

  MessageRecorder boxes;
  clsCrypto engine;
};

std::string patterned(std::size_t length) {
  std::string bytes(length, '\0');
  for (std::size_t i = 0; i < length; ++i) {
    bytes[i] = static_cast<char>((i * 7) % 251);
  }
  return bytes;
}

TEST_F(MessageCipher, RoundTripsEveryLengthAroundTheBlockSizeWithNulBytes) {
  // The last is long enough for the working buffer to be brought in ahead and decrypted on every core.
  for (const std::size_t length : {0UL, 1UL, 7UL, 8UL, 9UL, 15UL, 16UL, 17UL, 4096UL, 100003UL, (17UL << 20) + 5}) {
    SCOPED_TRACE(length);
    const std::string plain = patterned(length);
    engine.InBuffer(plain);
    ASSERT_TRUE(engine.EncryptMessageData());
    EXPECT_EQ(engine.OutBuffer().size(), (length / 8 + 1) * 8);
    EXPECT_EQ(engine.InBuffer(), plain) << "the input is never changed";

    engine.InBuffer(engine.OutBuffer());
    ASSERT_TRUE(engine.DecryptMessageData());
    EXPECT_EQ(engine.OutBuffer(), plain);
  }
  EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(MessageCipher, AFailedDecryptionKeepsThePreviousResult) {
  engine.InBuffer("earlier");
  ASSERT_TRUE(engine.EncryptMessageData());
  const std::string earlier = engine.OutBuffer();
  engine.InBuffer("not a whole number of blocks");
  EXPECT_FALSE(engine.DecryptMessageData());
  EXPECT_EQ(engine.ErrorMsg(), "Error -2146893819 during CryptDecrypt!");
  EXPECT_EQ(engine.OutBuffer(), earlier);
}

TEST(MessageCipherWithoutKey, BothOperationsAreRefusedByTheService) {
  MessageRecorder boxes;
  clsCrypto engine;
  engine.InBuffer(std::string(16, 'x'));
  EXPECT_FALSE(engine.EncryptMessageData());
  EXPECT_FALSE(engine.DecryptMessageData());
  EXPECT_EQ(boxes.texts(),
            (std::vector<std::string>{"Error 87 during CryptEncrypt!", "Error 87 during CryptDecrypt!"}));
  EXPECT_EQ(engine.OutBuffer(), "");
}

// A service that claims a ciphertext too long for the signed 32-bit working length.
BOOL claimHugeCiphertext(HCRYPTKEY key, HCRYPTHASH hash, BOOL final, DWORD flags, BYTE *data, DWORD *length,
                         DWORD bufferLength) {
  if (data == nullptr) {
    *length = DWORD{1} << 30;
    return TRUE;
  }
  ADD_FAILURE() << "no encryption may follow the refused size";
  return platformServiceCalls().CryptEncrypt(key, hash, final, flags, data, length, bufferLength);
}

TEST_F(MessageCipher, ACiphertextOfAGibibyteIsRefusedBeforeAnythingIsAllocated) {
  engine.InBuffer("earlier");
  ASSERT_TRUE(engine.EncryptMessageData());
  const std::string earlier = engine.OutBuffer();

  ServiceCalls huge = platformServiceCalls();
  huge.CryptEncrypt = claimHugeCiphertext;
  const ScopedServiceCalls scope(huge);
  EXPECT_FALSE(engine.EncryptMessageData());
  EXPECT_EQ(boxes.messages(), std::vector{engineFailure("Error 8 during CryptEncrypt!")});
  EXPECT_EQ(engine.OutBuffer(), earlier);
}

} // namespace
} // namespace orvelin::testing
