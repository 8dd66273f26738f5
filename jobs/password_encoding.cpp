#include "password_encoding.h"

#include "base/message_sink.h"
#include "base/secure_wipe.h"
#include "base/unicode_text.h"
#include "code_page.h"

#include <string_view>

namespace orvelin {
namespace {

// "é" (U+00E9), as a character is named in the refusal.
std::string describe(char32_t character) {
  std::string text = "\"";
  appendUtf8(character, text);
  text += "\" (U+";
  constexpr std::string_view digits = "0123456789ABCDEF";
  std::string number;
  for (char32_t rest = character; rest != 0 || number.size() < 4; rest >>= 4) {
    number.insert(number.begin(), digits[rest & 0xF]);
  }
  return text + number + ")";
}

} // namespace

bool passwordForService(std::u16string_view password, std::string &bytes, MessageSink &messages) {
  // Room for every byte at once, so that no outgrown buffer is left behind holding part of it.
  bytes.reserve(password.size() * longestBytesPerUnit);
  for (std::u16string_view rest = password; !rest.empty();) {
    const char32_t character = takeCharacter(rest);
    if (!appendInCodePage(character, bytes)) {
      wipe(bytes);
      messages.show("The character " + describe(character) +
                        " cannot be used in a password: encrypted files take passwords in the " + codePageName() +
                        " character set, which does not have it.",
                    "Invalid Password", MessageStyle::Critical);
      return false;
    }
  }
  return true;
}

} // namespace orvelin
