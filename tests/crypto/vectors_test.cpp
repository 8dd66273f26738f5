// Byte compatibility with files made through a real CryptoAPI: every known answer both ways.

#include "engine_runs.h"
#include "message_recorder.h"
#include "vectors.h"

#include <gtest/gtest.h>

namespace orvelin::testing {
namespace {

TEST(KnownAnswers, EachPlainFileEncryptsToExactlyItsCipherFile) {
  const std::vector<KnownAnswer> answers = knownAnswers();
  ASSERT_EQ(answers.size(), 53U);
  MessageRecorder boxes;
  for (const KnownAnswer &answer : answers) {
    SCOPED_TRACE(answer.id);
    EXPECT_EQ(toHex(sealAndEncrypt(answer.password, readBytes(answer.plainFile), boxes)),
              toHex(readBytes(answer.cipherFile)));
  }
  EXPECT_TRUE(boxes.messages().empty());
}

TEST(KnownAnswers, EachCipherFileDecryptsToExactlyItsPlainFile) {
  MessageRecorder boxes;
  for (const KnownAnswer &answer : knownAnswers()) {
    SCOPED_TRACE(answer.id);
    const Opened opened = decryptAndUnseal(answer.password, readBytes(answer.cipherFile), boxes);
    EXPECT_TRUE(opened.ok);
    EXPECT_EQ(opened.content, readBytes(answer.plainFile));
  }
  EXPECT_TRUE(boxes.messages().empty());
}

TEST(KnownAnswers, RefusedFilesShowTheFormatsOwnMessages) {
  const std::vector<TsvRow> refusals = readTsv("negative.tsv");
  ASSERT_EQ(refusals.size(), 5U);
  for (TsvRow row : refusals) {
    SCOPED_TRACE(row["id"]);
    MessageRecorder boxes;
    const Opened opened =
        decryptAndUnseal(fromHex(row["password_hex"]), readBytes(vectorsDir() / row["cipher_file"]), boxes);
    EXPECT_FALSE(opened.ok);
    ASSERT_EQ(boxes.texts(), std::vector<std::string>{row["expected"]});
    EXPECT_EQ(boxes.messages().front().title, row["expected"].starts_with("Error") ? "Lumo Crypto" : "File Error");
  }
}

} // namespace
} // namespace orvelin::testing
