// Decrypts arbitrary file bytes with a password as the decryption job does (GeneratePasswordKey,
// DecryptFileData) and holds the outcome to the reference model: either the same refusal, shown in
// exactly one box with nothing in OutBuffer, or the same content with no box at all.

#include "harness.h"
#include "reference_cipher.h"

#include "base/message_sink.h"
#include "crypto/clsCrypto.h"
#include "crypto/engine_sequences.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace orvelin::fuzz;

// The texts of the boxes shown in it.
class TextsShown final : public orvelin::MessageSink {
public:
  void show(const std::string &text, const std::string & /*title*/, orvelin::MessageStyle /*style*/) override {
    texts.push_back(text);
  }

  std::vector<std::string> texts;
};

struct Outcome {
  bool opened;
  std::string text; // the content when the file opened, else the text of the one box
  std::vector<std::string> boxes{};
};

Outcome decryptFailure(DWORD code) {
  return {false, "Error " + std::to_string(static_cast<std::int32_t>(code)) + " during CryptDecrypt!"};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A decrypted payload opens when it starts with two digits d and the next d bytes (fewer where the
// payload ends) are the MD5 of everything after them.
Outcome unseal(const std::string &payload) {
  const Outcome corrupted{false, "File has been corrupted since original encryption!"};
  if (payload.size() < 2 || !isDigit(payload[0]) || !isDigit(payload[1])) {
    return corrupted;
  }
  const auto digestLength = static_cast<std::size_t>((payload[0] - '0') * 10 + (payload[1] - '0'));
  const std::string digest = payload.substr(2, digestLength);
  std::string content = payload.substr(std::min(payload.size(), 2 + digestLength));
  return digest == md5(content) ? Outcome{true, std::move(content)} : corrupted;
}

Outcome expectedOutcome(const std::string &password, const std::string &file) {
  if (file.empty()) {
    return decryptFailure(NTE_BAD_LEN);
  }
  const std::optional<std::string> payload = referenceDecrypt(password, file);
  return payload ? unseal(*payload) : decryptFailure(NTE_BAD_DATA);
}

Outcome engineOutcome(const std::string &password, const std::string &file) {
  TextsShown messages;
  orvelin::clsCrypto engine(messages);
  engine.Password(password);
  engine.InBuffer(file);
  const bool opened = orvelin::runDecryption(engine);
  return {opened, engine.OutBuffer(), messages.texts};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const FuzzInput input = parseInput(data, size);
  const std::string file = cipherBytes(input);
  const Outcome expected = expectedOutcome(input.password, file);
  const Outcome actual = engineOutcome(input.password, file);
  if (expected.opened) {
    require(actual.opened, "a file that opens was refused");
    require(actual.boxes.empty(), "a box was shown for a file that opened");
    require(actual.text == expected.text, "OutBuffer is not the sealed content");
  } else {
    require(!actual.opened, "a file that must be refused was opened");
    require(actual.boxes == std::vector{expected.text}, "not exactly the one expected box");
    require(actual.text.empty(), "OutBuffer is not empty after a refusal");
  }
  return 0;
}
