#include "code_page.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace orvelin {
namespace {

// Windows-1252 is Latin-1 but for 0x80..0x9F, where it puts these characters. The five bytes it
// leaves undefined map to the C1 controls of the same value, as Windows' own conversion does.
constexpr std::array<char32_t, 32> highBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

std::string codePageName() { return "Windows-1252"; }

bool appendInCodePage(char32_t character, std::string &bytes) {
  if (const auto *found = std::find(highBlock.begin(), highBlock.end(), character); found != highBlock.end()) {
    bytes.push_back(static_cast<char>(0x80 + std::distance(highBlock.begin(), found)));
    return true;
  }
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    bytes.push_back(static_cast<char>(character));
    return true;
  }
  return false;
}

} // namespace orvelin
