#include "frontends/win32/utf16.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace orvelin::win32 {
namespace {

struct Conversion {
  const char *name;
  std::string utf8;
  std::wstring utf16;
};
void PrintTo(const Conversion &conversion, std::ostream *out) { *out << conversion.name; }

class Utf16FromUtf8 : public testing::TestWithParam<Conversion> {};

TEST_P(Utf16FromUtf8, Converts) { EXPECT_EQ(utf16FromUtf8(GetParam().utf8), GetParam().utf16); }

INSTANTIATE_TEST_SUITE_P(Texts, Utf16FromUtf8,
                         testing::Values(
                             // Fewer UTF-16 units than UTF-8 bytes: no room may be left over at the end.
                             Conversion{"Shorter", "caf\xc3\xa9 \xe2\x82\xac", L"caf\u00e9 \u20ac"},
                             // Outside the Basic Multilingual Plane: a surrogate pair.
                             Conversion{"SurrogatePair", "\xf0\x9f\x94\x92 locked", L"\xd83d\xdd12 locked"},
                             // Not UTF-8 (a Windows-1252 "e" with acute), and a sequence cut short at the end.
                             Conversion{"Malformed", "caf\xe9 ok", L"caf\ufffd ok"},
                             Conversion{"CutShort", "caf\xc3", L"caf\ufffd"}),
                         [](const testing::TestParamInfo<Conversion> &test) { return test.param.name; });

} // namespace
} // namespace orvelin::win32
