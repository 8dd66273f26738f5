#pragma once
// Text as orvelin-cli prints it on a terminal, where the names in it (the user's, which may hold any
// byte) must not act: move the cursor, clear the screen, retitle the window.

#include <string>
#include <string_view>

namespace orvelin::cli {

// text with every byte of a control character (C0, DEL, and C1: U+0080 to U+009F) and every byte
// that is no part of valid UTF-8 written as \xNN, two upper-case hexadecimal digits: "\x1B[2J",
// "line\x0Afeed", "\xC2\x9B", "\xFF". Any other character, of any script, stays as it is.
std::string printable(std::string_view text);

} // namespace orvelin::cli
