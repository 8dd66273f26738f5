// Encryption and decryption with the password's session key, of whole buffers and of slices.

#include "crypto/clsCrypto.h"
#include "crypto/service_calls.h"
#include "engine_runs.h"
#include "message_recorder.h"
#include "service_faults.h"
#include "slice_streams.h"
#include "vectors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace orvelin::testing {
namespace {

class MessageCipher : public ::testing::Test {
protected:
  void SetUp() override {
    engine.Password("password");
    ASSERT_TRUE(engine.GeneratePasswordKey());
  }

  MessageRecorder boxes;
  clsCrypto engine{boxes};
};

TEST_F(MessageCipher, RoundTripsEveryLengthAroundTheBlockSizeWithNulBytes) {
  // The last is long enough to be decrypted on every core.
  for (const std::size_t length : {0UL, 1UL, 7UL, 8UL, 9UL, 15UL, 16UL, 17UL, 4096UL, 100003UL, (17UL << 20) + 5}) {
    SCOPED_TRACE(length);
    const std::string plain = patterned(length);
    engine.InBuffer(plain);
    ASSERT_TRUE(engine.EncryptMessageData());
    EXPECT_EQ(engine.OutBuffer().size(), (length / 8 + 1) * 8);
    EXPECT_EQ(engine.InBuffer(), plain) << "the input is never changed";

    engine.InBuffer(engine.OutBuffer());
    ASSERT_TRUE(engine.DecryptMessageData());
    EXPECT_TRUE(engine.OutBuffer() == plain);
  }
  EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(MessageCipher, TheSlicesAMessageComesInDoNotChangeItsBytes) {
  const std::string plain = patterned(3 * clsCrypto::sliceSize + 1001);
  const std::vector<std::vector<std::size_t>> slicings = {{1},
                                                          {7},
                                                          {8},
                                                          {9},
                                                          {3, 5, 13},
                                                          {clsCrypto::sliceSize - 1},
                                                          {clsCrypto::sliceSize + 1},
                                                          {2 * clsCrypto::sliceSize}};
  for (const auto &lengths : slicings) {
    SCOPED_TRACE(lengths.front());
    // Short slices make for many calls: a shorter message.
    const std::string message = lengths.front() < 64 ? plain.substr(0, 40000) : plain;
    engine.InBuffer(message);
    ASSERT_TRUE(engine.EncryptMessageData());
    const std::string expected = engine.OutBuffer();

    SlicesOf input(message, lengths);
    Joined output;
    engine.InputSlices(&input);
    engine.OutputSlices(&output);
    ASSERT_TRUE(engine.EncryptMessageData());
    EXPECT_TRUE(output.bytes == expected) << "encrypted in slices";

    SlicesOf cipher(expected, lengths);
    Joined deciphered;
    engine.InputSlices(&cipher);
    engine.OutputSlices(&deciphered);
    ASSERT_TRUE(engine.DecryptMessageData());
    EXPECT_TRUE(deciphered.bytes == message) << "decrypted in slices";
    engine.InputSlices(nullptr);
    engine.OutputSlices(nullptr);
  }
  EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(MessageCipher, EveryOperationReportsOncePerSliceUpToItsTotal) {
  constexpr std::uint64_t slice = clsCrypto::sliceSize;
  const struct {
    Work work;
    bool (clsCrypto::*operation)();
  } operations[] = {
      {Work::Hashing, &clsCrypto::HashFile},
      {Work::Encrypting, &clsCrypto::EncryptMessageData},
      {Work::Decrypting, &clsCrypto::DecryptMessageData},
  };
  // Each length hashed and encrypted, and its ciphertext (8 bytes up to 2 slices and 104) decrypted.
  for (const std::uint64_t length : {std::uint64_t{0}, std::uint64_t{100}, 2 * slice, 2 * slice + 100}) {
    engine.InBuffer(patterned(length));
    for (const auto &operation : operations) {
      SCOPED_TRACE(std::to_string(length) + " bytes, work " + std::to_string(static_cast<int>(operation.work)));
      if (operation.work == Work::Decrypting) {
        engine.InBuffer(engine.OutBuffer());
      }
      const std::uint64_t total = engine.InBuffer().size();
      std::vector<std::uint64_t> reported;
      engine.Progress([&](Work work, std::uint64_t done, std::uint64_t reportedTotal) {
        EXPECT_EQ(work, operation.work);
        EXPECT_EQ(reportedTotal, total);
        reported.push_back(done);
      });
      ASSERT_TRUE((engine.*operation.operation)());
      // Once at the end of each slice: whole slices, then the rest, which may be short or empty.
      std::vector<std::uint64_t> expected;
      do {
        expected.push_back(std::min((expected.size() + 1) * slice, total));
      } while (expected.back() < total);
      EXPECT_EQ(reported, expected);
    }
  }
}

TEST_F(MessageCipher, AFailureKeepsThePreviousResultAndShowsTheServicesCode) {
  engine.InBuffer("earlier");
  ASSERT_TRUE(engine.EncryptMessageData());
  const std::string earlier = engine.OutBuffer();
  const std::string threeSlices = patterned(2 * clsCrypto::sliceSize + 100);
  const struct {
    const char *name;
    std::string input;
    bool (clsCrypto::*operation)();
    std::optional<ServiceCall> failing; // on its second slice; otherwise the service itself refuses
    const char *message;
  } cases[] = {
      {"partial blocks", "not a whole number of blocks", &clsCrypto::DecryptMessageData, std::nullopt,
       "Error -2146893819 during CryptDecrypt!"},
      {"encryption's middle slice", threeSlices, &clsCrypto::EncryptMessageData, ServiceCall::Encrypt,
       "Error -2146893792 during CryptEncrypt!"},
      {"decryption's middle slice", threeSlices, &clsCrypto::DecryptMessageData, ServiceCall::Decrypt,
       "Error -2146893792 during CryptDecrypt!"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ServiceFaults injected;
    if (c.failing) {
      injected.fail(*c.failing, 0x80090020, 2);
    }
    engine.InBuffer(c.input);
    EXPECT_FALSE((engine.*c.operation)());
    EXPECT_EQ(engine.ErrorMsg(), c.message);
    EXPECT_EQ(engine.OutBuffer(), earlier);
  }
}

// A service that deciphers every block whole, the last one too where the ciphertext stops short of
// it, as Wine's does: it writes up to a block past the length it is given.
BOOL decipheringWholeBlocks(HCRYPTKEY /*key*/, HCRYPTHASH /*hash*/, BOOL /*final*/, DWORD /*flags*/, BYTE *data,
                            DWORD *length) {
  const std::size_t written = (std::size_t{*length} + 7) / 8 * 8;
  std::fill(data, data + written, BYTE{0});
  *length = 0;
  return TRUE;
}

// The room is the engine's to give: the service is told no buffer size. Under the sanitizers (CI's
// scripts/test asan) a write past the slice is a fault of its own.
TEST_F(MessageCipher, TheLastSliceHasRoomForAWholeBlockPastACutShortCiphertext) {
  ServiceCalls wholeBlocks = serviceCalls();
  wholeBlocks.CryptDecrypt = decipheringWholeBlocks;
  const ScopedServiceCalls seen(wholeBlocks);
  // One slice, its string exactly as long as the ciphertext.
  engine.InBuffer(std::string(1001, 'x'));
  EXPECT_TRUE(engine.DecryptMessageData());
  EXPECT_EQ(engine.OutBuffer(), "");
}

TEST(MessageCipherWithoutKey, BothOperationsAreRefusedByTheService) {
  MessageRecorder boxes;
  clsCrypto engine(boxes);
  engine.InBuffer(std::string(16, 'x'));
  EXPECT_FALSE(engine.EncryptMessageData());
  EXPECT_FALSE(engine.DecryptMessageData());
  EXPECT_EQ(boxes.texts(),
            (std::vector<std::string>{"Error 87 during CryptEncrypt!", "Error 87 during CryptDecrypt!"}));
  EXPECT_EQ(engine.OutBuffer(), "");
}

} // namespace
} // namespace orvelin::testing
