// The sealed payload "16" + MD5(content) + content, and every way a decrypted payload can be wrong.

#include "crypto/clsCrypto.h"
#include "engine_runs.h"
#include "message_recorder.h"
#include "service_faults.h"
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

TEST(SealedPayload, IsTheSameWhereverTheContentLies) {
  MessageRecorder boxes;
  const std::string content(100, 'c');
  const std::string md5OfContent = fromHex("ca69c3acc86e56b995aa27bba6f2acdc");
  for (const std::size_t room :
       {std::size_t{0}, clsCrypto::sealHeaderSize - 1, clsCrypto::sealHeaderSize, clsCrypto::inPlaceEncryptionRoom - 1,
        clsCrypto::inPlaceEncryptionRoom, std::size_t{1000}}) {
    SCOPED_TRACE(room);
    std::string buffer;
    buffer.reserve(content.size() + room);
    buffer.assign(content);
    clsCrypto engine(boxes);
    engine.Password("password");
    engine.InBuffer(std::move(buffer));
    ASSERT_TRUE(engine.HashFile() && engine.GeneratePasswordKey() && engine.EncryptFileData());
    // Enciphered where it lay, the payload is gone from InBuffer; otherwise it stays there.
    EXPECT_EQ(engine.InBuffer(), room >= clsCrypto::inPlaceEncryptionRoom ? "" : "16" + md5OfContent + content);
    EXPECT_EQ(decryptAndUnseal("password", engine.OutBuffer(), boxes).content, content);
  }
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

TEST(SealedPayload, AFailedDigestOfTheContentLeavesThePayloadAndTheContent) {
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
  EXPECT_EQ(engine.OutBuffer(), "16" + md5OfAbc + "abc");
  EXPECT_EQ(engine.InBuffer(), "abc");
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
