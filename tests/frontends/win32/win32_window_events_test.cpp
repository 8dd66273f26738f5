// What a window made by the Win32 front end reports (clicks on clickable controls, its timer's
// ticks, files dropped on it, a close through the system) and what it does when its behaviour asks, with the mouse and
// keyboard driven as the user drives them.

#include "file_drop.h"
#include "open_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace orvelin::win32 {
namespace {

using Events = std::vector<std::string>;

POINT centreOnScreen(HWND window) {
  RECT place{};
  GetWindowRect(window, &place);
  return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

POINT onScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

void sendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

// A press at from and a release at to, with the mouse moved in between.
void dragWithLeftButton(POINT from, POINT to) {
  SetCursorPos(from.x, from.y);
  pumpMessages();
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  pumpMessages();
  SetCursorPos(to.x, to.y);
  pumpMessages();
  sendMouse(MOUSEEVENTF_LEFTUP);
  pumpMessages();
}

void clickWithLeftButton(POINT at) { dragWithLeftButton(at, at); }

void pressKey(WORD key, bool shift = false) {
  std::vector<INPUT> inputs;
  const auto add = [&inputs](WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (shift) {
    add(VK_SHIFT, 0);
  }
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (shift) {
    add(VK_SHIFT, KEYEVENTF_KEYUP);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  pumpMessages();
}

// How many pixels of the control's box on its window are dark, as text is (and lines).
int darkPixels(HWND window, HWND control) {
  const RECT box = placeOf(control);
  int dark = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const COLORREF pixel = pixelAt(window, x, y);
      dark += GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 128 ? 1 : 0;
    }
  }
  return dark;
}

class Win32WindowEvents : public testing::Test {
protected:
  void open(const WindowDesign &design) {
    opened_.emplace(design);
    showAndPaint(*opened_);
  }
  [[nodiscard]] HWND window() const { return opened_->handle(); }
  [[nodiscard]] HWND control(std::string_view name) const { return opened_->control(name); }
  [[nodiscard]] Win32Window &view() { return opened_->window; }
  [[nodiscard]] Events &events() { return opened_->events.list; }

  std::optional<OpenWindow> opened_;
};

class Win32WindowClicks : public Win32WindowEvents, public testing::WithParamInterface<Window> {};

TEST_P(Win32WindowClicks, OnlyClickableControlsReportAClick) {
  const WindowDesign &design = designOf(GetParam());
  open(design);
  RECT placed{};
  GetWindowRect(window(), &placed);

  // The window's background, and a drag across it, which does not move the window.
  clickWithLeftButton(onScreen(window(), {3, 3}));
  dragWithLeftButton(onScreen(window(), {3, 3}), onScreen(window(), {60, 90}));
  EXPECT_EQ(events(), Events());
  RECT after{};
  GetWindowRect(window(), &after);
  EXPECT_EQ(after.left, placed.left);
  EXPECT_EQ(after.top, placed.top);

  for (const ControlDesign &each : design.controls) {
    if (each.kind == ControlKind::TextBox) {
      continue; // which takes the click as an edit box does
    }
    SCOPED_TRACE(std::string(each.name));
    events().clear();
    clickWithLeftButton(centreOnScreen(control(each.name)));
    const bool clickable = each.kind == ControlKind::ClickableLabel || each.kind == ControlKind::ClickArea;
    EXPECT_EQ(events(), clickable ? Events{"click " + std::string(each.name)} : Events());
  }
  EXPECT_FALSE(IsIconic(window()));
}

INSTANTIATE_TEST_SUITE_P(Windows, Win32WindowClicks, testing::ValuesIn(allWindows), windowTestName);

TEST_F(Win32WindowEvents, AReleaseOutsideTakesThePressBack) {
  open(designOf(Window::frmMain));
  dragWithLeftButton(centreOnScreen(control("cmdencrypt")), onScreen(window(), {3, 3}));
  EXPECT_EQ(events(), Events());
  clickWithLeftButton(centreOnScreen(control("cmdencrypt")));
  EXPECT_EQ(events(), Events{"click cmdencrypt"});
}

TEST_F(Win32WindowEvents, TabGoesBetweenTheTextBoxesAndEnterAndEscapeDoNothing) {
  open(designOf(Window::frmMain));
  ASSERT_EQ(GetFocus(), control("txtfilename"));
  view().setText("txtfilename", u"notes.txt");
  view().setText("txtpassword", u"secret");
  for (const WORD key : {WORD{VK_RETURN}, WORD{VK_ESCAPE}}) {
    pressKey(key);
  }
  pressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), control("txtpassword"));
  // Reached by Tab, the box's text is selected, to be typed over.
  DWORD start = 1;
  DWORD end = 0;
  SendMessageW(control("txtpassword"), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0U);
  EXPECT_EQ(end, 6U);
  for (const WORD key : {WORD{VK_RETURN}, WORD{VK_ESCAPE}}) {
    pressKey(key);
  }
  pressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), control("txtfilename"));
  pressKey(VK_TAB, true);
  EXPECT_EQ(GetFocus(), control("txtpassword"));

  EXPECT_EQ(view().text("txtfilename"), u"notes.txt");
  EXPECT_EQ(view().text("txtpassword"), u"secret");
  EXPECT_EQ(events(), Events());
  EXPECT_TRUE(IsWindowVisible(window()));
}

TEST_F(Win32WindowEvents, TheTimerStartsWhenTheWindowIsShownAndTicksByItsName) {
  const WindowDesign ticking{.name = "Ticking",
                             .caption = "Ticking",
                             .clientSize = {1500, 1500},
                             .icon = "orvelin.png",
                             .controls = {},
                             .timer = TimerDesign{"Timer7", 50}};
  opened_.emplace(ticking);
  // Several of its intervals go by before it is shown.
  EXPECT_FALSE(
      pumpUntil([&] { return !events().empty(); }, std::chrono::milliseconds(4 * ticking.timer->intervalMilliseconds)));
  showAndPaint(*opened_);
  EXPECT_TRUE(pumpUntil([&] { return !events().empty(); }));
  EXPECT_EQ(events().front(), "tick Timer7");
}

TEST_F(Win32WindowEvents, ACloseThroughTheSystemIsReportedAndHidesTheWindow) {
  open(designOf(Window::Help));
  // What Alt+F4 and the taskbar button's Close do.
  SendMessageW(window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(events(), Events{"closed"});
  EXPECT_FALSE(IsWindowVisible(window()));
  EXPECT_TRUE(IsWindow(window())) << "destroyed by whoever made it, not by itself";
}

TEST_F(Win32WindowEvents, MinimisesAndComesBackFromTheTaskbarWithTheFocusWhereItWas) {
  open(designOf(Window::frmMain));
  view().focus("txtpassword");
  view().minimise();
  EXPECT_TRUE(IsIconic(window()));

  // What a click on the taskbar button does.
  SendMessageW(window(), WM_SYSCOMMAND, SC_RESTORE, 0);
  pumpMessages();
  EXPECT_FALSE(IsIconic(window()));
  EXPECT_EQ(GetFocus(), control("txtpassword"));
  // Nor can its taskbar button's menu move, size or maximise it.
  HMENU menu = GetSystemMenu(window(), FALSE);
  for (const UINT command : {UINT{SC_MOVE}, UINT{SC_SIZE}, UINT{SC_MAXIMIZE}}) {
    EXPECT_EQ(GetMenuState(menu, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << command;
  }
  EXPECT_EQ(events(), Events());
}

TEST_F(Win32WindowEvents, FilesDroppedOnItAreReportedByTheirPaths) {
  open(designOf(Window::frmMain));
  // The system drops files only on a window that takes them, or on a control of one.
  EXPECT_NE(GetWindowLongW(window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  const std::vector<std::vector<std::u16string>> drops{
      {u"C:\\notes.txt"},
      {u"C:\\Users\\Zo\u00eb\\r\u00e9sum\u00e9 \U0001F512.txt", u"D:\\second file.doc"},
  };
  for (const std::vector<std::u16string> &drop : drops) {
    SendMessageW(window(), WM_DROPFILES, reinterpret_cast<WPARAM>(fileDrop(drop)), 0);
  }
  EXPECT_EQ(opened_->events.dropped, drops);
  EXPECT_EQ(events(), Events());
}

TEST_F(Win32WindowEvents, ShowsWhatItsBehaviourAsksAndNothingOfWhatWasThereBefore) {
  open(designOf(Window::frmMain));
  const std::u16string name = u"C:\\Users\\Zo\u00eb\\r\u00e9sum\u00e9 \u20ac \U0001F512.txt";
  view().setText("txtfilename", name);
  EXPECT_EQ(view().text("txtfilename"), name);
  view().focus("txtpassword");
  EXPECT_EQ(GetFocus(), control("txtpassword"));

  // Labels are transparent: what a text covered must be painted again when it goes. (The status
  // line's box ends on Line2.)
  const int beneathStatus = darkPixels(window(), control("lblmessage"));
  view().setText("lblmessage", u"File encryption complete!");
  pumpMessages();
  EXPECT_EQ(view().text("lblmessage"), u"File encryption complete!");
  EXPECT_GT(darkPixels(window(), control("lblmessage")), beneathStatus);
  view().setText("lblmessage", u"");
  pumpMessages();
  EXPECT_EQ(darkPixels(window(), control("lblmessage")), beneathStatus) << "the old status is still seen";

  view().setVisible("Label1", false);
  pumpMessages();
  EXPECT_FALSE(IsWindowVisible(control("Label1")));
  EXPECT_EQ(darkPixels(window(), control("Label1")), 0) << "the hidden title is still seen";
  view().setVisible("Label1", true);
  pumpMessages();
  EXPECT_GT(darkPixels(window(), control("Label1")), 0);
  EXPECT_EQ(events(), Events());
}

TEST_F(Win32WindowEvents, PaintsAtOnceWhenAsked) {
  open(designOf(Window::frmMain));
  const int beneathStatus = darkPixels(window(), control("lblmessage"));
  view().setText("lblmessage", u"Encrypting file.  Please wait....");
  // No message is taken from here on, as in a click handler that runs a job.
  view().paintNow();
  EXPECT_EQ(GetUpdateRect(window(), nullptr, FALSE), FALSE);
  EXPECT_GT(darkPixels(window(), control("lblmessage")), beneathStatus);
}

TEST_F(Win32WindowEvents, TheBusyPointerIsOverTheWholeWindowTextBoxesIncluded) {
  open(designOf(Window::frmMain));
  const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  const POINT overBox = centreOnScreen(control("txtfilename"));
  const POINT overBackground = onScreen(window(), {3, 3});
  SetCursorPos(overBox.x, overBox.y);
  pumpMessages();
  ASSERT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_IBEAM));

  view().setBusyPointer(true);
  EXPECT_EQ(GetCursor(), wait) << "not at once";
  SetCursorPos(overBackground.x, overBackground.y);
  pumpMessages();
  EXPECT_EQ(GetCursor(), wait);
  SetCursorPos(overBox.x, overBox.y);
  pumpMessages();
  EXPECT_EQ(GetCursor(), wait);

  view().setBusyPointer(false);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_IBEAM));
  SetCursorPos(overBackground.x, overBackground.y);
  pumpMessages();
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(Win32WindowEvents, LaysItselfOutAgainWhenMovedToA144DpiMonitor) {
  const WindowDesign &design = designOf(Window::frmMain);
  open(design);
  if (dpiOf(window()) != 96) {
    GTEST_SKIP() << "moves a window from a 96 DPI monitor";
  }
  RECT placed{};
  GetWindowRect(window(), &placed);
  // As Windows sends it when the window is moved to the other monitor.
  RECT suggested{placed.left, placed.top, placed.left + 665, placed.top + 393};
  SendMessageW(window(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

  RECT client{};
  GetClientRect(window(), &client);
  EXPECT_EQ(client.right, 665);
  EXPECT_EQ(client.bottom, 393);
  // 1080, 1560, 5055 and 285 twips.
  const RECT box = placeOf(control("txtpassword"));
  EXPECT_EQ(box.left, 108);
  EXPECT_EQ(box.top, 156);
  EXPECT_EQ(box.right - box.left, 506);
  EXPECT_EQ(box.bottom - box.top, 29);
  LOGFONTW title{};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(control("Label1"), WM_GETFONT, 0, 0)), sizeof title, &title);
  // 8.25 points at 144 DPI.
  EXPECT_EQ(-title.lfHeight, 17);
  EXPECT_EQ(misfits(*opened_, design), std::vector<std::string>());
}

} // namespace
} // namespace orvelin::win32
