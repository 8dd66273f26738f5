// orvelin_interop encrypt|decrypt PASSWORD_HEX INPUT OUTPUT
//
// Runs the engine on INPUT exactly as the file jobs do and writes the result to OUTPUT. The password
// is given as the hex of its Windows-1252 bytes, so that every build hands the service the same
// bytes whatever the shell's encoding. Each message box is printed as one line of its text to
// standard error. Exits 0 only when OUTPUT was written.

#include "base/standard_error_messages.h"
#include "tests/crypto/engine_runs.h"
#include "tests/crypto/vectors.h"

#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace orvelin;
using namespace orvelin::testing;

constexpr int written = 0;
constexpr int refused = 1;
constexpr int misused = 2;

bool isHex(std::string_view text) {
  return text.size() % 2 == 0 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

// The file's new bytes, or nothing when the engine refused (its boxes already printed).
std::optional<std::string> run(std::string_view operation, const std::string &password, const std::string &input) {
  StandardErrorMessages messages;
  if (operation == "encrypt") {
    std::string file = sealAndEncrypt(password, input, messages);
    // A sealed file is never empty: empty means a step failed.
    return file.empty() ? std::nullopt : std::optional(std::move(file));
  }
  Opened opened = decryptAndUnseal(password, input, messages);
  return opened.ok ? std::optional(std::move(opened.content)) : std::nullopt;
}

} // namespace

int main(int argc, char *argv[]) {
  const std::string_view operation = argc == 5 ? argv[1] : "";
  if ((operation != "encrypt" && operation != "decrypt") || !isHex(argv[2])) {
    std::cerr << "usage: orvelin_interop encrypt|decrypt PASSWORD_HEX INPUT OUTPUT\n";
    return misused;
  }
  try {
    const std::optional<std::string> result = run(operation, fromHex(argv[2]), readBytes(argv[3]));
    if (!result) {
      return refused;
    }
    writeBytes(argv[4], *result);
    return written;
  } catch (const std::exception &error) {
    std::cerr << error.what() << '\n';
    return refused;
  }
}
