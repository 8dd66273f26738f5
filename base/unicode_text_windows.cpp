#include "unicode_text.h"

#include "base/windows_api.h"

namespace orvelin {

std::string utf8Of(std::wstring_view text) {
  const int textLength = static_cast<int>(text.size());
  std::string utf8(
      static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), textLength, nullptr, 0, nullptr, nullptr)),
      '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), textLength, utf8.data(), static_cast<int>(utf8.size()), nullptr,
                      nullptr);
  return utf8;
}

} // namespace orvelin
