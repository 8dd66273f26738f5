// The main window while a job runs through the Win32 front end's pump: it keeps painting, timers
// tick, its progress bar shows the job's progress, and the user's clicks, keys, presses through
// assistive technology and dropped files reach nothing; a job that throws ends in a box, and the
// window goes on.

#include "accessible_objects.h"
#include "app/frmMain_behaviour.h"
#include "app/frmMain_design.h"
#include "dialog_driver.h"
#include "file_drop.h"
#include "frontends/win32/win32_event_pump.h"
#include "frontends/win32/win32_message_boxes.h"
#include "open_window.h"
#include "tests/ui/fake_navigator.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace orvelin::win32 {
namespace {

// What the thread's timer sees while the job waits for it; a timer procedure takes no context.
struct DuringJob {
  OpenWindow *opened = nullptr;
  std::atomic<bool> release{false};
  int ticks = 0;
  bool inputSent = false;
  HRESULT pressed = E_FAIL;
  bool repainted = false;
  std::optional<LRESULT> barPosition;
};
DuringJob *duringJob = nullptr;

void sendInput(std::initializer_list<INPUT> inputs) {
  std::vector<INPUT> list(inputs);
  SendInput(static_cast<UINT>(list.size()), list.data(), sizeof(INPUT));
}

INPUT mouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

INPUT key(WORD virtualKey, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = flags;
  return input;
}

// Runs from the pump, on the window's thread: once the window has shown it is alive, the user clicks
// Encrypt and types, a screen reader presses Encrypt and a file is dropped on the window; on the
// tick after, which comes only once the queue has no input left, the job
// goes on.
void CALLBACK onTick(HWND /*window*/, UINT /*message*/, UINT_PTR /*id*/, DWORD /*time*/) {
  DuringJob &seen = *duringJob;
  HWND window = seen.opened->handle();
  HWND bar = seen.opened->control("jobprogress");
  ++seen.ticks;
  if (seen.inputSent) {
    seen.release = true;
  } else if (seen.ticks == 3) {
    InvalidateRect(window, nullptr, TRUE);
  } else if (seen.ticks > 3 && IsWindowVisible(bar) != FALSE) {
    seen.repainted = GetUpdateRect(window, nullptr, FALSE) == FALSE;
    seen.barPosition = SendMessageW(bar, PBM_GETPOS, 0, 0);
    RECT button{};
    GetWindowRect(seen.opened->control("cmdencrypt"), &button);
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    sendInput({mouse(MOUSEEVENTF_LEFTDOWN), mouse(MOUSEEVENTF_LEFTUP), key('X', 0), key('X', KEYEVENTF_KEYUP)});
    seen.pressed = accessibleObjectOf(seen.opened->control("cmdencrypt"))->accDoDefaultAction(self());
    PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(fileDrop({u"C:\\dropped.txt"})), 0);
    seen.inputSent = true;
  }
}

TEST(Win32EventPump, AWindowWaitingForAJobPaintsAndTicksShowsItsProgressAndTakesNoInput) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  OpenWindow opened(frmMainDesign);
  showAndPaint(opened);
  SetFocus(opened.control("txtfilename"));
  DuringJob seen;
  seen.opened = &opened;
  duringJob = &seen;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, onTick);
  Win32MessageBoxes boxes;

  const bool result = backgroundJobRunner([](WindowView &window) { return std::make_unique<Win32EventPump>(window); },
                                          boxes, std::chrono::milliseconds(0))(
      opened.window, "jobprogress", [&seen](MessageSink & /*messages*/, const JobProgress &progress) {
        progress(0.4);
        while (!seen.release) {
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
      });
  KillTimer(nullptr, timer);
  duringJob = nullptr;
  // Whatever input was still queued would come now.
  pumpMessages();

  CoUninitialize();

  EXPECT_TRUE(result);
  EXPECT_EQ(seen.pressed, S_OK);
  EXPECT_TRUE(seen.repainted);
  EXPECT_EQ(seen.barPosition, std::optional<LRESULT>(400));
  EXPECT_EQ(opened.events.list, std::vector<std::string>());
  EXPECT_EQ(opened.events.dropped, std::vector<std::vector<std::u16string>>());
  EXPECT_EQ(opened.window.text("txtfilename"), u"");
  EXPECT_FALSE(IsWindowVisible(opened.control("jobprogress")));
}

TEST(Win32EventPump, AJobThatThrowsEndsInAFileErrorBoxOverTheWindowWhichGoesOn) {
  OpenWindow opened(frmMainDesign);
  showAndPaint(opened);
  testing::FakeNavigator navigator;
  Win32MessageBoxes boxes;
  bool throws = true;
  frmMainBehaviour behaviour(
      opened.window, navigator,
      {.messages = boxes,
       .encryptFile =
           [&throws](const std::u16string &, const std::u16string &, MessageSink &, const JobProgress &) {
             if (throws) {
               throw std::runtime_error("the disk went away");
             }
             return true;
           },
       .findsFile = [](const std::u16string &) { return true; },
       .runJob = backgroundJobRunner<Win32EventPump>(boxes)});
  opened.window.setText("txtfilename", u"notes.txt");
  opened.window.setText("txtpassword", u"pw");
  std::wstring title;
  std::wstring text;
  {
    // The message box's text is its static control 0xFFFF.
    const DialogDriver user([&](HWND box) {
      title.resize(64);
      title.resize(static_cast<std::size_t>(GetWindowTextW(box, title.data(), 64)));
      text.resize(256);
      text.resize(static_cast<std::size_t>(GetDlgItemTextW(box, 0xFFFF, text.data(), 256)));
      return IDOK;
    });
    behaviour.click("cmdencrypt");
    EXPECT_EQ(user.dialogsShown(), 1);
  }

  EXPECT_EQ(title, L"File Error");
  EXPECT_EQ(text, L"Cannot encrypt \"notes.txt\": the disk went away.");
  EXPECT_EQ(opened.window.text("lblmessage"), std::u16string(u"File encryption failed!"));
  throws = false;
  behaviour.click("cmdencrypt");
  EXPECT_EQ(opened.window.text("lblmessage"), std::u16string(u"File encryption complete!"));
}

} // namespace
} // namespace orvelin::win32
