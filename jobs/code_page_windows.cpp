#include "code_page.h"

#include "base/secure_wipe.h"
#include "base/windows_api.h"

#include <array>

namespace orvelin {
namespace {

constexpr char32_t firstSupplementary = 0x10000;

} // namespace

std::string codePageName() { return "Windows-" + std::to_string(GetACP()); }

bool appendInCodePage(char32_t character, std::string &bytes) {
  // The character as UTF-16 again: one unit, or a surrogate pair.
  std::array<wchar_t, 2> units{static_cast<wchar_t>(character), 0};
  int unitCount = 1;
  if (character >= firstSupplementary) {
    units = {static_cast<wchar_t>(0xD800 + ((character - firstSupplementary) >> 10)),
             static_cast<wchar_t>(0xDC00 + ((character - firstSupplementary) & 0x3FF))};
    unitCount = 2;
  }
  std::array<char, 8> converted{};
  // Without best fit, a character the code page lacks is not weakened to a look-alike but reported
  // as replaced by the default character. The UTF-8 code page, which has every character, takes
  // neither that flag nor the report.
  const bool utf8 = GetACP() == CP_UTF8;
  BOOL usedDefault = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, units.data(), unitCount,
                          converted.data(), static_cast<int>(converted.size()), nullptr, utf8 ? nullptr : &usedDefault);
  const bool found = length > 0 && usedDefault == FALSE;
  if (found) {
    bytes.append(converted.data(), static_cast<std::size_t>(length));
  }
  wipe(units);
  wipe(converted);
  return found;
}

} // namespace orvelin
