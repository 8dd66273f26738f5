#include "unicode_text.h"

#include <array>

namespace orvelin {
namespace {

constexpr char32_t replacementCharacter = 0xFFFD;
constexpr char32_t firstSupplementary = 0x10000;
constexpr char32_t lastCharacter = 0x10FFFF;

constexpr bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

struct Decoded {
  char32_t character;
  std::size_t length; // bytes taken
};

// The character at the start of utf8, which must not be empty; an invalid sequence gives U+FFFD
// for its first byte alone.
Decoded decodeUtf8(std::string_view utf8) {
  const auto lead = static_cast<unsigned char>(utf8[0]);
  if (lead < 0x80) {
    return {lead, 1};
  }
  // The sequence's length, the lead byte's payload bits, and the smallest character it may encode.
  struct Form {
    std::size_t length;
    unsigned char payload;
    char32_t smallest;
  };
  constexpr std::array<Form, 3> forms{{{2, 0x1F, 0x80}, {3, 0x0F, 0x800}, {4, 0x07, firstSupplementary}}};
  const std::size_t formIndex = lead >= 0xF0 ? 2 : lead >= 0xE0 ? 1 : 0;
  const Form form = forms.at(formIndex);
  if (lead < 0xC0 || lead > 0xF4 || utf8.size() < form.length) {
    return {replacementCharacter, 1};
  }
  char32_t character = lead & form.payload;
  for (std::size_t i = 1; i < form.length; ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (!isContinuation(byte)) {
      return {replacementCharacter, 1};
    }
    character = (character << 6) | (byte & 0x3F);
  }
  if (character < form.smallest || character > lastCharacter || isHighSurrogate(character) ||
      isLowSurrogate(character)) {
    return {replacementCharacter, 1};
  }
  return {character, form.length};
}

void appendUtf16(char32_t character, std::u16string &text) {
  if (character < firstSupplementary) {
    text.push_back(static_cast<char16_t>(character));
    return;
  }
  const char32_t offset = character - firstSupplementary;
  text.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
  text.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
}

} // namespace

char32_t takeCharacter(std::u16string_view &text) {
  const char32_t first = text.front();
  text.remove_prefix(1);
  if (isLowSurrogate(first)) {
    return replacementCharacter;
  }
  if (!isHighSurrogate(first)) {
    return first;
  }
  if (text.empty() || !isLowSurrogate(text.front())) {
    return replacementCharacter;
  }
  const char32_t second = text.front();
  text.remove_prefix(1);
  return firstSupplementary + ((first - 0xD800) << 10) + (second - 0xDC00);
}

void appendUtf8(char32_t character, std::string &bytes) {
  const auto byte = [&bytes](char32_t value) { bytes.push_back(static_cast<char>(value)); };
  if (character < 0x80) {
    byte(character);
  } else if (character < 0x800) {
    byte(0xC0 | (character >> 6));
    byte(0x80 | (character & 0x3F));
  } else if (character < firstSupplementary) {
    byte(0xE0 | (character >> 12));
    byte(0x80 | ((character >> 6) & 0x3F));
    byte(0x80 | (character & 0x3F));
  } else {
    byte(0xF0 | (character >> 18));
    byte(0x80 | ((character >> 12) & 0x3F));
    byte(0x80 | ((character >> 6) & 0x3F));
    byte(0x80 | (character & 0x3F));
  }
}

std::string utf8FromUtf16(std::u16string_view text) {
  std::string bytes;
  while (!text.empty()) {
    appendUtf8(takeCharacter(text), bytes);
  }
  return bytes;
}

void appendUtf16(std::string_view utf8, std::u16string &text) {
  while (!utf8.empty()) {
    const Decoded decoded = decodeUtf8(utf8);
    appendUtf16(decoded.character, text);
    utf8.remove_prefix(decoded.length);
  }
}

std::size_t utf8SequenceLength(std::string_view utf8) {
  const Decoded decoded = decodeUtf8(utf8);
  // Only an invalid sequence gives U+FFFD for one byte: the character's own encoding takes three.
  return decoded.character == replacementCharacter && decoded.length == 1 ? 0 : decoded.length;
}

bool isValidUtf8(std::string_view utf8) {
  while (!utf8.empty()) {
    const std::size_t length = utf8SequenceLength(utf8);
    if (length == 0) {
      return false;
    }
    utf8.remove_prefix(length);
  }
  return true;
}

std::string utf8Of(const std::filesystem::path &path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

std::filesystem::path pathFromUtf8(std::string_view utf8) { return std::u8string(utf8.begin(), utf8.end()); }

} // namespace orvelin
