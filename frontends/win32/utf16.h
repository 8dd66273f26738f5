#pragma once
// The program's texts are UTF-8; the wide Windows functions take UTF-16.

#include <string>
#include <string_view>

namespace orvelin::win32 {

// A malformed sequence becomes U+FFFD, so that a text is shown as well as it can be, never dropped.
std::wstring utf16FromUtf8(std::string_view utf8);

} // namespace orvelin::win32
