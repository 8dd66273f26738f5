// How the Win32 front end draws each window's design: a popup with a taskbar button, its size at
// the window's DPI, centred; each control's kind and place; the icons, picture, outlines and lines;
// labels transparent unless filled; the tooltips.

#include "app/frmMain_design.h"
#include "frontends/win32/resource_ids.h"
#include "open_window.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace orvelin::win32 {
namespace {

constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF white = RGB(255, 255, 255);

std::wstring wide(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

std::wstring textOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

// The colour pixels of an icon's image, top row first.
std::vector<COLORREF> imageOf(HICON icon) {
  ICONINFO info{};
  if (GetIconInfo(icon, &info) == FALSE) {
    return {};
  }
  BITMAP size{};
  GetObjectW(info.hbmColor, sizeof size, &size);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = size.bmWidth;
  format.bmiHeader.biHeight = -size.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  std::vector<COLORREF> pixels(static_cast<std::size_t>(size.bmWidth) * static_cast<std::size_t>(size.bmHeight));
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(size.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return pixels;
}

std::vector<COLORREF> resourceIconImage(int id, int size) {
  const UniqueIcon icon(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
  return imageOf(icon.get());
}

struct WindowLook {
  Window window;
  SIZE at96;
  SIZE at144;
  SIZE at192;
  int icon;
};
void PrintTo(const WindowLook &look, std::ostream *out) { *out << designOf(look.window).name; }

class Win32WindowLook : public testing::TestWithParam<WindowLook> {
protected:
  Win32WindowLook() : opened_(designOf(GetParam().window)) { showAndPaint(opened_); }

  [[nodiscard]] const WindowDesign &design() const { return designOf(GetParam().window); }
  [[nodiscard]] HWND window() const { return opened_.handle(); }

  OpenWindow opened_;
};

TEST_P(Win32WindowLook, IsABorderlessPopupWithATaskbarButtonCentredAtItsSize) {
  const int dpi = dpiOf(window());
  ASSERT_TRUE(dpi == 96 || dpi == 144 || dpi == 192) << "the sizes below are for 96, 144 and 192 DPI, not " << dpi;
  const SIZE expected = dpi == 96 ? GetParam().at96 : dpi == 144 ? GetParam().at144 : GetParam().at192;
  if (const char *asked = std::getenv("ORVELIN_TEST_DPI")) {
    EXPECT_EQ(dpi, std::atoi(asked)) << "the system's DPI was not the one this run is for";
  }

  EXPECT_EQ(textOf(window()), wide(design().caption));
  const auto style = static_cast<DWORD>(GetWindowLongW(window(), GWL_STYLE));
  EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), static_cast<DWORD>(WS_POPUP));
  EXPECT_NE(GetWindowLongW(window(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0) << "no taskbar button";
  RECT client{};
  GetClientRect(window(), &client);
  EXPECT_EQ(client.right, expected.cx);
  EXPECT_EQ(client.bottom, expected.cy);

  RECT outer{};
  GetWindowRect(window(), &outer);
  EXPECT_EQ(outer.right - outer.left, expected.cx) << "the window has a frame";
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT &work = monitor.rcWork;
  EXPECT_LE(std::abs((outer.left - work.left) - (work.right - outer.right)), 1);
  EXPECT_LE(std::abs((outer.top - work.top) - (work.bottom - outer.bottom)), 1);
}

TEST_P(Win32WindowLook, CarriesItsIconAtBothSizes) {
  for (const auto &[kind, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(window(), WM_GETICON, static_cast<WPARAM>(kind), 0));
    ASSERT_NE(icon, nullptr) << "icon kind " << kind;
    EXPECT_EQ(imageOf(icon), resourceIconImage(GetParam().icon, GetSystemMetrics(metric))) << "icon kind " << kind;
  }
}

TEST_P(Win32WindowLook, EveryControlIsOfItsKindWhereTheDesignPutsIt) {
  const int dpi = dpiOf(window());
  for (const ControlDesign &control : design().controls) {
    SCOPED_TRACE(std::string(control.name));
    HWND handle = opened_.control(control.name);
    const Box box = pixelsFromTwips(control.box, dpi);
    const RECT place = placeOf(handle);
    EXPECT_EQ(place.left, box.left);
    EXPECT_EQ(place.top, box.top);
    if (control.sizedToText) {
      // The box takes the text's size, whatever the design drew around it.
      HDC dc = GetDC(handle);
      const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(handle, WM_GETFONT, 0, 0)));
      SIZE text{};
      const std::wstring shown = wide(control.text);
      GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &text);
      SelectObject(dc, previous);
      ReleaseDC(handle, dc);
      EXPECT_EQ(place.bottom - place.top, text.cy);
      EXPECT_GE(place.right - place.left, text.cx);
      EXPECT_LE(place.right - place.left, text.cx + 2) << "more than the glyphs' overhang";
    } else {
      EXPECT_EQ(place.right - place.left, box.width);
      EXPECT_EQ(place.bottom - place.top, box.height);
    }
    EXPECT_EQ(textOf(handle), wide(control.text));
    EXPECT_EQ(IsWindowVisible(handle) != FALSE, control.visible);
    const auto style = static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE));
    if (control.kind == ControlKind::ProgressBar) {
      EXPECT_EQ(classOf(handle), L"msctls_progress32");
    } else if (control.kind == ControlKind::TextBox) {
      EXPECT_EQ(classOf(handle), L"Edit");
      EXPECT_EQ(style & (WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD), static_cast<DWORD>(WS_TABSTOP | ES_AUTOHSCROLL));
    } else {
      EXPECT_EQ(classOf(handle), L"Static");
      EXPECT_EQ(style & WS_TABSTOP, 0U) << "a label takes the focus";
      // Without SS_NOTIFY a label lets the mouse through to the window.
      EXPECT_EQ((style & SS_NOTIFY) != 0, control.kind != ControlKind::Label);
    }
  }
}

TEST_P(Win32WindowLook, OutlinesAndLinesAreBlackOnePixelWideAndIncludeTheirEnds) {
  const int dpi = dpiOf(window());
  for (const OutlineDesign &outline : design().outlines) {
    SCOPED_TRACE(std::string(outline.name));
    const Box box = pixelsFromTwips(outline.box, dpi);
    const int right = box.left + box.width - 1;
    const int bottom = box.top + box.height - 1;
    const int middle = box.top + box.height / 2;
    EXPECT_EQ(pixelAt(window(), box.left, box.top), black);
    EXPECT_EQ(pixelAt(window(), right, bottom), black);
    EXPECT_EQ(pixelAt(window(), box.left, middle), black);
    EXPECT_EQ(pixelAt(window(), right, middle), black);
    EXPECT_NE(pixelAt(window(), box.left - 1, middle), black);
    EXPECT_NE(pixelAt(window(), right + 1, middle), black);
    EXPECT_NE(pixelAt(window(), box.left + 1, middle), black) << "thicker than a pixel";
  }
  for (const LineDesign &line : design().lines) {
    SCOPED_TRACE(std::string(line.name));
    const Point from = pixelsFromTwips(line.from, dpi);
    const Point to = pixelsFromTwips(line.to, dpi);
    EXPECT_EQ(pixelAt(window(), from.x, from.y), black);
    EXPECT_EQ(pixelAt(window(), to.x, to.y), black);
    EXPECT_NE(pixelAt(window(), to.x + 1, to.y), black);
    EXPECT_NE(pixelAt(window(), (from.x + to.x) / 2, to.y + 1), black) << "thicker than a pixel";
  }
}

TEST_P(Win32WindowLook, EachTooltipBelongsToItsControl) {
  std::map<std::string, std::wstring> designed;
  for (const ControlDesign &control : design().controls) {
    if (!control.tooltip.empty()) {
      designed[std::string(control.name)] = wide(control.tooltip);
    }
  }
  std::map<HWND, std::string> names;
  for (const ControlDesign &control : design().controls) {
    names[opened_.control(control.name)] = control.name;
  }
  std::map<std::string, std::wstring> shown;
  for (HWND each = GetWindow(GetDesktopWindow(), GW_CHILD); each != nullptr; each = GetWindow(each, GW_HWNDNEXT)) {
    if (classOf(each) != TOOLTIPS_CLASSW || GetWindow(each, GW_OWNER) != window()) {
      continue;
    }
    const auto count = static_cast<UINT>(SendMessageW(each, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT index = 0; index < count; ++index) {
      wchar_t text[80] = {};
      TOOLINFOW tool{};
      tool.cbSize = sizeof tool;
      tool.lpszText = text;
      SendMessageW(each, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(&tool));
      shown[names[reinterpret_cast<HWND>(tool.uId)]] = text;
    }
  }
  EXPECT_EQ(shown, designed);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, Win32WindowLook,
    testing::Values(WindowLook{Window::Startup, {288, 238}, {432, 357}, {576, 476}, ORVELIN_ICON_PROGRAM},
                    WindowLook{Window::frmMain, {443, 262}, {665, 393}, {886, 524}, ORVELIN_ICON_PROGRAM},
                    WindowLook{Window::Help, {341, 252}, {512, 378}, {682, 504}, ORVELIN_ICON_HELP},
                    WindowLook{Window::About, {341, 252}, {512, 378}, {682, 504}, ORVELIN_ICON_INFORMATION},
                    WindowLook{Window::softinf, {301, 251}, {452, 377}, {602, 502}, ORVELIN_ICON_INFORMATION}),
    [](const testing::TestParamInfo<WindowLook> &test) { return std::string(designOf(test.param.window).name); });

TEST(Win32WindowPicture, TheSplashShowsThePictureAtItsOwnSizeBehindItsMotto) {
  OpenWindow splash(designOf(Window::Startup));
  showAndPaint(splash);
  const int dpi = dpiOf(splash.handle());
  // Above the standard DPI, the rendering of twice the size, scaled down to it (at 192 DPI, not at
  // all), never the small one scaled up.
  const int pictureDpi = dpi == 96 ? 96 : 192;
  const UniqueBitmap picture(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr),
                 MAKEINTRESOURCEW(pictureDpi == 96 ? ORVELIN_BITMAP_SPLASH : ORVELIN_BITMAP_SPLASH_LARGE), IMAGE_BITMAP,
                 0, 0, 0)));
  HDC memory = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(memory, picture.get());
  const RECT motto = placeOf(splash.control("Label1"));
  // The picture's pixel that lies under the window's pixel (x, y).
  const auto pictureAt = [&](int x, int y) { return GetPixel(memory, x * pictureDpi / dpi, y * pictureDpi / dpi); };
  std::vector<std::string> differ;
  const auto compare = [&](int x, int y) {
    const COLORREF shown = pixelAt(splash.handle(), x, y);
    const COLORREF expected = pictureAt(x, y);
    // Scaled to another DPI, the picture's colours blend a little.
    const int tolerance = dpi == pictureDpi ? 0 : 24;
    if (std::abs(GetRValue(shown) - GetRValue(expected)) > tolerance ||
        std::abs(GetGValue(shown) - GetGValue(expected)) > tolerance ||
        std::abs(GetBValue(shown) - GetBValue(expected)) > tolerance) {
      differ.push_back(std::to_string(x) + "," + std::to_string(y));
    }
  };
  if (dpi == pictureDpi) {
    // Above the motto, pixel for pixel: a picture scaled to the window would differ around the
    // monogram and along the border ornament.
    for (int y = 0; y < motto.top; y += 3) {
      for (int x = 0; x < 288 * dpi / 96; x += 3) {
        compare(x, y);
      }
    }
  }
  // Cut off at the window's edge, not shrunk into it; and seen through the motto's box.
  RECT client{};
  GetClientRect(splash.handle(), &client);
  compare(client.right - 1, client.bottom - 1);
  compare(motto.left + 1, motto.top + 1);
  SelectObject(memory, previous);
  DeleteDC(memory);
  EXPECT_TRUE(differ.empty()) << differ.size() << " pixels differ, the first at " << differ.front();
}

TEST(Win32WindowPicture, OnlyTheProductIdentifierHasAFill) {
  OpenWindow about(designOf(Window::About));
  showAndPaint(about);
  // Right of their texts, inside their boxes.
  const RECT productId = placeOf(about.control("Label20"));
  EXPECT_EQ(pixelAt(about.handle(), productId.right - 2, productId.bottom - 2), RGB(0, 192, 0));
  const RECT title = placeOf(about.control("Label1"));
  EXPECT_EQ(pixelAt(about.handle(), title.right - 2, title.bottom - 2), white);
}

// A dark scheme for as long as it lives; the one before it comes back afterwards.
class DarkScheme {
public:
  DarkScheme() {
    for (std::size_t each = 0; each < std::size(elements); ++each) {
      before_[each] = GetSysColor(elements[each]);
    }
    SetSysColors(static_cast<int>(std::size(elements)), elements, colours);
  }
  DarkScheme(const DarkScheme &) = delete;
  DarkScheme &operator=(const DarkScheme &) = delete;
  ~DarkScheme() { SetSysColors(static_cast<int>(std::size(elements)), elements, before_); }

  static constexpr int elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT};
  static constexpr COLORREF colours[] = {RGB(0, 0, 0), RGB(255, 255, 0), RGB(0, 0, 64), RGB(0, 255, 255)};

private:
  COLORREF before_[std::size(elements)]{};
};

TEST(Win32WindowPicture, ADarkSchemePaintsTheMainWindowInItsColours) {
  const DarkScheme dark;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  ASSERT_EQ(text, DarkScheme::colours[1]) << "the scheme did not change";
  OpenWindow main(designOf(Window::frmMain));
  showAndPaint(main);
  const WindowDesign &design = designOf(Window::frmMain);
  const Box outline = pixelsFromTwips(design.outlines.front().box, dpiOf(main.handle()));
  EXPECT_EQ(pixelAt(main.handle(), outline.left, outline.top), text);
  EXPECT_EQ(pixelAt(main.handle(), outline.left + 1, outline.top + outline.height / 2), face);
  // The labels' texts in the scheme's text colour: some of the File Name label's pixels are.
  const RECT label = placeOf(main.control(frmMainControls::fileNameLabel));
  bool textInSchemeColour = false;
  for (int y = label.top; y < label.bottom && !textInSchemeColour; ++y) {
    for (int x = label.left; x < label.right && !textInSchemeColour; ++x) {
      textInSchemeColour = pixelAt(main.handle(), x, y) == text;
    }
  }
  EXPECT_TRUE(textInSchemeColour);
  // Both boxes alike: the name box's fixed white gives way to the scheme's colour for boxes.
  for (const std::string_view box : {frmMainControls::fileName, frmMainControls::password}) {
    const RECT place = placeOf(main.control(box));
    EXPECT_EQ(pixelAt(main.handle(), place.right - 4, (place.top + place.bottom) / 2), GetSysColor(COLOR_WINDOW))
        << box;
  }
}

} // namespace
} // namespace orvelin::win32
