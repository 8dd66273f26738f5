#include "frontends/win32/utf16.h"
#include "base/windows_api.h"

namespace orvelin::win32 {

std::wstring utf16FromUtf8(std::string_view utf8) {
  if (utf8.empty()) {
    return {};
  }
  // Texts and paths are far below the 2 GiB the call can take.
  const auto length = static_cast<int>(utf8.size());
  const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring utf16(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, utf16.data(), needed);
  return utf16;
}

} // namespace orvelin::win32
