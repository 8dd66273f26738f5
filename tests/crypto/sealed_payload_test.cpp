// The sealed payload "16" + MD5(content) + content, and every way a decrypted payload can be wrong.

#include "crypto/clsCrypto.h"
#include "engine_runs.h"
#include "message_recorder.h"
#include "service_faults.h"
#include "slice_streams.h"
#include "vectors.h"

#include <gtest/gtest.h>

namespace orvelin::testing {
namespace {

const std::string md5OfAbc = fromHex("900150983cd24fb0d6963f7d28e17f72");
const std::string md5OfNothing = fromHex("d41d8cd98f00b204e9800998ecf8427e");

TEST(SealedPayload, IsTheDigestLengthTheDigestAndTheContent) {
  MessageRecorder boxes;
  clsCrypto engine(boxes);
  engine.Password("password");
  engine.InBuffer("abc");
  ASSERT_TRUE(engine.HashFile() && engine.GeneratePasswordKey() && engine.EncryptFileData());
  EXPECT_EQ(engine.HashLength(), 16);
  EXPECT_EQ(engine.InBuffer(), "16" + md5OfAbc + "abc") << "the payload stays in InBuffer";
  EXPECT_EQ(engine.OutBuffer(), encryptRaw("password", "16" + md5OfAbc + "abc", boxes));
}

TEST(SealedPayload, InSlicesIsTheSameFileWhereverTheSlicesFall) {
  MessageRecorder boxes;
  // Around the seal's 18 bytes, the cipher's blocks and the engine's slices.
  const std::vector<std::vector<std::size_t>> slicings = {
      {1}, {2}, {7}, {17}, {18}, {19}, {5, 11, 8}, {clsCrypto::sliceSize}, {clsCrypto::sliceSize + 3}};
  for (const std::size_t length : {std::size_t{0}, std::size_t{18}, std::size_t{1000}, 2 * clsCrypto::sliceSize + 7}) {
    const std::string content = patterned(length);
    const std::string file = sealAndEncrypt("password", content, boxes);
    for (const auto &lengths : slicings) {
      if (length > 4000 && lengths.front() < 64) {
        continue; // millions of calls, and nothing more to learn
      }
      SCOPED_TRACE(std::to_string(length) + " bytes in slices of " + std::to_string(lengths.front()));
      clsCrypto engine(boxes);
      engine.Password("password");
      SlicesOf input(content, lengths);
      Joined output;
      engine.InputSlices(&input);
      engine.OutputSlices(&output);
      ASSERT_TRUE(engine.HashFile() && engine.GeneratePasswordKey() && engine.EncryptFileData());
      EXPECT_EQ(input.passes(), 2) << "read once for the digest, once for the cipher";
      EXPECT_TRUE(output.bytes == file);
      EXPECT_EQ(engine.InBuffer(), "");

      SlicesOf encrypted(file, lengths);
      Joined opened;
      engine.InputSlices(&encrypted);
      engine.OutputSlices(&opened);
      ASSERT_TRUE(engine.DecryptFileData());
      EXPECT_TRUE(opened.bytes == content);
      EXPECT_EQ(encrypted.passes(), 1);
    }
  }
  EXPECT_TRUE(boxes.messages().empty());
}

TEST(SealedPayload, TheDigestIsOfTheWholeContentHashedInSlices) {
  MessageRecorder boxes;
  clsCrypto engine(boxes);
  engine.InBuffer(patterned(2 * clsCrypto::sliceSize + 100));
  ASSERT_TRUE(engine.HashFile());
  EXPECT_EQ(toHex(engine.HashValue()), "f38d72f61c046c97ddaafb6279fb2288");
}

TEST(SealedPayload, EmptyContentSealsToEighteenBytesAndOpensToNothing) {
  MessageRecorder boxes;
  const std::string file = sealAndEncrypt("password", "", boxes);
  EXPECT_EQ(file, encryptRaw("password", "16" + md5OfNothing, boxes));
  const Opened opened = decryptAndUnseal("password", file, boxes);
  EXPECT_TRUE(opened.ok);
  EXPECT_EQ(opened.content, "");
  EXPECT_TRUE(boxes.messages().empty());
}

TEST(SealedPayload, ContentIsCarriedThroughUnchangedWhateverItHolds) {
  MessageRecorder boxes;
  for (const std::string &content : {std::string("16 digits first"), std::string("0000"), std::string("\0\0\x16\0", 4),
                                     std::string(1, '\0'), "16" + md5OfAbc + "abc"}) {
    const Opened opened = decryptAndUnseal("password", sealAndEncrypt("password", content, boxes), boxes);
    EXPECT_TRUE(opened.ok);
    EXPECT_EQ(opened.content, content);
  }
  EXPECT_TRUE(boxes.messages().empty());
}

TEST(SealedPayload, EncryptingTwiceNeedsTwoDecryptions) {
  MessageRecorder boxes;
  const std::string twice = sealAndEncrypt("pw", sealAndEncrypt("pw", "inner", boxes), boxes);
  const Opened once = decryptAndUnseal("pw", twice, boxes);
  ASSERT_TRUE(once.ok);
  EXPECT_NE(once.content, "inner");
  EXPECT_EQ(decryptAndUnseal("pw", once.content, boxes).content, "inner");
}

TEST(SealedPayload, EveryMalformedPayloadIsRefusedAsCorruption) {
  const struct {
    const char *name;
    std::string payload;
  } cases[] = {
      {"content changed in one byte", "16" + md5OfAbc + "abd"},
      {"digest changed in one byte", "16" + md5OfAbc.substr(0, 15) + "x" + "abc"},
      {"length field 15", "15" + md5OfAbc + "abc"},
      {"length field 17", "17" + md5OfAbc + "abc"},
      {"length field 00", "00" + md5OfAbc + "abc"},
      {"length field 99 beyond the payload", "99" + md5OfAbc + "abc"},
      {"length field not digits", "ab" + md5OfAbc + "abc"},
      {"length field with a sign", "+6" + md5OfAbc + "abc"},
      {"length field of a blank and a digit", " 6" + md5OfAbc + "abc"},
      {"digest cut short", "16" + md5OfNothing.substr(0, 10)},
      {"only the length field", "16"},
      {"a single byte", "1"},
      {"nothing at all", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    MessageRecorder boxes;
    clsCrypto engine(boxes);
    engine.Password("password");
    engine.InBuffer(encryptRaw("password", c.payload, boxes));
    ASSERT_TRUE(engine.GeneratePasswordKey());
    EXPECT_FALSE(engine.DecryptFileData());
    EXPECT_EQ(engine.OutBuffer(), "");
    EXPECT_EQ(boxes.messages(), std::vector{corruptionMessage()});
    EXPECT_EQ(engine.ErrorMsg(), "") << "the corruption message is not an engine error";
  }
}

TEST(SealedPayload, ALengthFieldBeyondThePayloadTakesTheDigestBytesThatAreThere) {
  MessageRecorder boxes;
  // Thirty digest bytes announced, sixteen there, and no content: those sixteen are its digest.
  const Opened opened = decryptAndUnseal("password", encryptRaw("password", "30" + md5OfNothing, boxes), boxes);
  EXPECT_TRUE(opened.ok);
  EXPECT_EQ(opened.content, "");
  EXPECT_TRUE(boxes.messages().empty());
}

TEST(SealedPayload, AFailedDigestOfTheContentIsTheServicesFailure) {
  std::string file;
  {
    MessageRecorder quiet;
    file = sealAndEncrypt("password", "abc", quiet);
  }
  ServiceFaults faults;
  faults.fail(ServiceCall::HashData, 87, 2);
  MessageRecorder boxes;
  clsCrypto engine(boxes);
  engine.Password("password");
  engine.InBuffer(file);
  ASSERT_TRUE(engine.GeneratePasswordKey());
  EXPECT_FALSE(engine.DecryptFileData());
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Error 87 during CryptHashData!"});
  EXPECT_EQ(engine.OutBuffer(), "");
}

TEST(SealedPayload, AFailedDecryptionChangesNothing) {
  MessageRecorder boxes;
  clsCrypto engine(boxes);
  engine.Password("password");
  engine.InBuffer("seven b");
  ASSERT_TRUE(engine.GeneratePasswordKey());
  EXPECT_FALSE(engine.DecryptFileData());
  EXPECT_EQ(engine.InBuffer(), "seven b");
  EXPECT_EQ(engine.HashLength(), 0);
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Error -2146893819 during CryptDecrypt!"});
}

} // namespace
} // namespace orvelin::testing
