#pragma once
// The character set in which a password's bytes reach the cryptographic service: the system's ANSI
// code page on Windows, as every Windows program that makes these files hands them over, and
// elsewhere Windows-1252, the code page of the Western European Windows systems.

#include <cstddef>
#include <string>

namespace orvelin {

// No character of a UTF-16 unit takes more bytes than this in any ANSI code page, UTF-8 included.
inline constexpr std::size_t longestBytesPerUnit = 3;

// Its name, as "Windows-1252".
std::string codePageName();

// Appends the bytes of character in that code page, unless it has none for it: false then.
bool appendInCodePage(char32_t character, std::string &bytes);

} // namespace orvelin
