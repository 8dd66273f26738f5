#include "frontends/win32/win32_message_boxes.h"

#include "dialog_driver.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orvelin::win32 {
namespace {

// What a message box showed while it was up, and what it did to the window behind it.
struct ShownBox {
  std::wstring title;
  std::wstring text;
  std::vector<int> buttons;
  HICON icon = nullptr; // null when none is shown
  HWND owner = nullptr;
  bool behindEnabled = true;
};

std::wstring windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

ShownBox lookAt(HWND box, HWND behind) {
  ShownBox shown{windowText(box), {}, {}, nullptr, GetWindow(box, GW_OWNER), IsWindowEnabled(behind) != FALSE};
  // Controls are told apart by kind, not by number, which differs between Windows versions.
  for (HWND control = GetWindow(box, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    wchar_t kind[16] = {};
    GetClassNameW(control, kind, static_cast<int>(std::size(kind)));
    if ((style & WS_VISIBLE) == 0) {
      continue;
    }
    if (std::wstring_view(kind) == L"Button") {
      shown.buttons.push_back(GetDlgCtrlID(control));
    } else if ((style & SS_TYPEMASK) == SS_ICON) {
      shown.icon = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
    } else if (!windowText(control).empty()) {
      shown.text = windowText(control);
    }
  }
  return shown;
}

// Shows one box and returns what it looked like.
std::optional<ShownBox> showBox(const std::string &text, const std::string &title, MessageStyle style, HWND behind) {
  std::optional<ShownBox> shown;
  const DialogDriver user([&](HWND box) {
    shown = lookAt(box, behind);
    return IDOK;
  });
  Win32MessageBoxes().show(text, title, style);
  EXPECT_EQ(user.dialogsShown(), 1);
  return shown;
}

struct StyleCase {
  const char *name;
  MessageStyle style;
  LPCWSTR systemIcon; // null for none
};
void PrintTo(const StyleCase &style, std::ostream *out) { *out << style.name; }

class MessageBoxStyles : public testing::TestWithParam<StyleCase> {};

TEST_P(MessageBoxStyles, ShowsAModalBoxOverTheActiveWindow) {
  const UniqueWindow window = showPopupWindow(Activation::Activated);
  ASSERT_NE(window, nullptr) << noWindowHint;
  ASSERT_EQ(GetActiveWindow(), window.get());

  // UTF-8 from the program: German quotes, an umlaut, the euro sign and a padlock beyond 16 bits.
  const auto shown = showBox("Datei \xe2\x80\x9e\xc3\x9c"
                             "bersicht \xe2\x82\xac.txt\xe2\x80\x9c "
                             "\xf0\x9f\x94\x92",
                             "D\xc3\xa9j\xc3\xa0 vu", GetParam().style, window.get());
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(shown->title, L"D\u00e9j\u00e0 vu");
  EXPECT_EQ(shown->text, L"Datei \u201e\u00dcbersicht \u20ac.txt\u201c \xd83d\xdd12");
  EXPECT_EQ(shown->buttons, std::vector<int>{IDOK});
  const HICON expected = GetParam().systemIcon == nullptr ? nullptr : LoadIconW(nullptr, GetParam().systemIcon);
  EXPECT_EQ(shown->icon, expected);
  EXPECT_EQ(shown->owner, window.get());
  EXPECT_FALSE(shown->behindEnabled) << "the window behind the box took input";
}

INSTANTIATE_TEST_SUITE_P(Styles, MessageBoxStyles,
                         testing::Values(StyleCase{"Plain", MessageStyle::Plain, nullptr},
                                         StyleCase{"Critical", MessageStyle::Critical, IDI_HAND},
                                         StyleCase{"Information", MessageStyle::Information, IDI_ASTERISK}),
                         [](const testing::TestParamInfo<StyleCase> &test) { return test.param.name; });

TEST(MessageBoxes, WithoutAnActiveWindowHoldsUpEveryWindowOfTheProgram) {
  const UniqueWindow window = showPopupWindow(Activation::LeftInactive);
  ASSERT_NE(window, nullptr) << noWindowHint;
  ASSERT_EQ(GetActiveWindow(), nullptr);

  const auto shown = showBox("Encryption complete", "Status", MessageStyle::Plain, window.get());
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(shown->owner, nullptr);
  EXPECT_FALSE(shown->behindEnabled) << "the program's window took input while the box was up";
  EXPECT_NE(IsWindowEnabled(window.get()), FALSE) << "the window stayed disabled after the box";
}

} // namespace
} // namespace orvelin::win32
