#pragma once
// The encodings the program meets: UTF-16 as text is typed, UTF-8 for messages and command lines,
// and file paths in the platform's own form (bytes on Linux, UTF-16 on Windows).

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace orvelin {

// Takes the first character off text, which must not be empty. A lone surrogate is taken as
// U+FFFD, as it has no character of its own.
char32_t takeCharacter(std::u16string_view &text);

void appendUtf8(char32_t character, std::string &bytes);

// UTF-16 text as UTF-8, for messages.
std::string utf8FromUtf16(std::u16string_view text);

// Appends the UTF-16 of UTF-8 bytes; a byte that begins no valid sequence becomes U+FFFD. It never
// appends more units than there are bytes, so a string with that much room is not reallocated.
void appendUtf16(std::string_view utf8, std::u16string &text);

// How many bytes the valid UTF-8 sequence at the start of utf8 takes (1 to 4), or 0 when its first
// byte begins none (a stray byte, a cut or overlong sequence, a surrogate). utf8 must not be empty.
std::size_t utf8SequenceLength(std::string_view utf8);

// True when all of utf8 is valid UTF-8.
bool isValidUtf8(std::string_view utf8);

// A path as UTF-8, for messages; and the path UTF-8 names, for command lines.
std::string utf8Of(const std::filesystem::path &path);
std::filesystem::path pathFromUtf8(std::string_view utf8);

#ifdef _WIN32
// Text of the wide Windows API as UTF-8.
std::string utf8Of(std::wstring_view text);
#endif

} // namespace orvelin
