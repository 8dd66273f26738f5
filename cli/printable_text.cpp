#include "printable_text.h"

#include "base/unicode_text.h"

#include <algorithm>
#include <cstddef>

namespace orvelin::cli {
namespace {

void appendEscaped(std::string_view bytes, std::string &shown) {
  constexpr std::string_view digits = "0123456789ABCDEF";
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    shown.append("\\x").append(1, digits[value >> 4]).append(1, digits[value & 0xF]);
  }
}

// A sequence of length bytes (0: an invalid byte) at the start of text.
bool isControl(std::string_view text, std::size_t length) {
  const auto lead = static_cast<unsigned char>(text.front());
  // C1 characters are U+0080 to U+009F, in UTF-8 0xC2 and then 0x80 to 0x9F.
  return length == 0 || lead < 0x20 || lead == 0x7F ||
         (length == 2 && lead == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0);
}

} // namespace

std::string printable(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  while (!text.empty()) {
    const std::size_t length = utf8SequenceLength(text);
    const std::string_view sequence = text.substr(0, std::max<std::size_t>(length, 1));
    if (isControl(text, length)) {
      appendEscaped(sequence, shown);
    } else {
      shown.append(sequence);
    }
    text.remove_prefix(sequence.size());
  }
  return shown;
}

} // namespace orvelin::cli
