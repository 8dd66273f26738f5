// The switching between windows, without a toolkit: one window at a time, the new one created
// afresh and shown before the old one is destroyed, each switch once the handler that asked for it
// has returned, and the end of the program when no window is left.

#include "tests/crypto/message_recorder.h"
#include "tests/ui/fake_navigator.h"
#include "tests/ui/fake_window_system.h"
#include "ui/loaded_window.h"
#include "ui/window_switcher.h"
#include "windows/program_windows.h"

#include <gtest/gtest.h>

namespace orvelin::testing {
namespace {

using Log = std::vector<std::string>;

class WindowSwitcherTest : public ::testing::Test {
protected:
  WindowSwitcherTest() { switcher_.start(); }

  void click(std::string_view control) { system_.events().clicked(control); }
  // From the splash to a fresh main window, the log cleared.
  void startAtMain() {
    system_.events().ticked("Timer1");
    system_.finishHandler();
    system_.clearLog();
  }

  MessageRecorder boxes_;
  FakeWindowSystem system_;
  const ProgramWindows windows_{{.messages = boxes_}};
  WindowSwitcher switcher_{system_, windows_};
};

TEST_F(WindowSwitcherTest, TheSplashIsTheFirstWindowAndItsTickReplacesItWithTheMainWindow) {
  EXPECT_EQ(system_.log(), (Log{"create Startup", "show Startup"}));
  system_.clearLog();

  system_.events().ticked("Timer1");
  // Until the tick's handler has returned, the splash is still all there is.
  EXPECT_EQ(system_.log(), Log{});
  system_.finishHandler();

  EXPECT_EQ(system_.log(), (Log{"create frmMain", "show frmMain", "destroy Startup"}));
}

TEST_F(WindowSwitcherTest, LinksLeadToAFreshWindowWhoseExitLeadsToAFreshMainWindow) {
  struct Visit {
    const char *link;
    const char *window;
    const char *exit;
  };
  startAtMain();
  for (const Visit visit :
       {Visit{"Label4", "About", "Label2"}, {"Label5", "Help", "Label5"}, {"securitykey", "softinf", "Label6"}}) {
    SCOPED_TRACE(visit.window);
    system_.window().setText("txtfilename", u"notes.txt");
    system_.window().setText("txtpassword", u"secret");

    click(visit.link);
    EXPECT_EQ(system_.log(), Log{});
    system_.finishHandler();
    EXPECT_EQ(system_.log(),
              (Log{"create " + std::string(visit.window), "show " + std::string(visit.window), "destroy frmMain"}));
    system_.clearLog();

    click(visit.exit);
    EXPECT_EQ(system_.log(), Log{});
    system_.finishHandler();
    EXPECT_EQ(system_.log(), (Log{"create frmMain", "show frmMain", "destroy " + std::string(visit.window)}));
    EXPECT_EQ(system_.window().text("txtfilename"), u"");
    EXPECT_EQ(system_.window().text("txtpassword"), u"");
    system_.clearLog();
  }
}

TEST_F(WindowSwitcherTest, AboutOpensOnItsFirstGroupEveryTimeBeforeItIsShown) {
  const std::vector<std::string> firstGroupShown{"Label1", "Label3", "Label2", "Label20", "Label4",  "Label5", "Label6",
                                                 "Label7", "Label8", "Label9", "Label16", "Label10", "Label11"};
  startAtMain();
  click("Label4");
  system_.finishHandler();
  EXPECT_EQ(system_.window().visibleWhenShown(), firstGroupShown);
  click("Label11");
  ASSERT_TRUE(system_.window().isVisible("Label12"));
  click("Label2");
  system_.finishHandler();

  click("Label4");
  system_.finishHandler();

  EXPECT_EQ(system_.window().visibleWhenShown(), firstGroupShown);
  EXPECT_EQ(system_.window().visibleControls(), firstGroupShown);
}

TEST_F(WindowSwitcherTest, OfTwoQuickRequestsTheFirstWins) {
  startAtMain();

  // Two links clicked before the first switch has run: the main window leads to About only.
  click("Label4");
  click("Label5");
  system_.finishHandler();

  EXPECT_EQ(system_.log(), (Log{"create About", "show About", "destroy frmMain"}));
}

TEST_F(WindowSwitcherTest, TheMainWindowsExitEndsTheProgramAtOnce) {
  startAtMain();

  click("Label2");

  EXPECT_EQ(system_.log(), Log{"end"});
}

TEST_F(WindowSwitcherTest, AWindowClosedThroughTheSystemEndsTheProgramOnceTheHandlerHasReturned) {
  struct Case {
    const char *tag;
    const char *linkFirst; // clicked in the same handler before the close; none when null
    Log log;
  };
  const Case cases[] = {
      {"closed", nullptr, {"destroy frmMain", "end"}},
      // A switch already asked for leaves a window loaded, and the program goes on.
      {"closed with a switch waiting", "Label5", {"create Help", "show Help", "destroy frmMain"}},
  };
  for (const Case &each : cases) {
    SCOPED_TRACE(each.tag);
    MessageRecorder boxes;
    FakeWindowSystem system;
    const ProgramWindows windows({.messages = boxes});
    WindowSwitcher switcher(system, windows);
    switcher.start();
    system.events().ticked("Timer1");
    system.finishHandler();
    system.clearLog();

    if (each.linkFirst != nullptr) {
      system.events().clicked(each.linkFirst);
    }
    system.events().closed();
    EXPECT_EQ(system.log(), Log{});
    system.finishHandler();

    EXPECT_EQ(system.log(), each.log);
  }
}

// A press through assistive technology or a drop that arrives while a handler still runs (here, a
// job) reaches nothing, then or later.
TEST(LoadedWindow, APressOrADropWhileAHandlerRunsIsPassedOver) {
  MessageRecorder boxes;
  FakeWindowSystem system;
  FakeNavigator navigator;
  int jobs = 0;
  const auto job = [&jobs](const std::u16string &, const std::u16string &, MessageSink &, const JobProgress &) {
    return ++jobs, true;
  };
  const ProgramWindows windows({.messages = boxes,
                                .encryptFile = job,
                                .decryptFile = job,
                                .findsFile = [](const std::u16string &) { return true; },
                                .chooseFile = {},
                                .runJob =
                                    [&system, &boxes](WindowView &, std::string_view, const BoundJob &run) {
                                      system.events().clicked("cmddecrypt");
                                      system.events().filesDropped({u"/home/user/other.txt"});
                                      return run(boxes, {});
                                    }});
  LoadedWindow loaded(windows, Window::frmMain, system, navigator, [] {});
  system.window().setText("txtfilename", u"/home/user/notes.txt");
  system.window().setText("txtpassword", u"pw");

  system.events().clicked("cmdencrypt");

  EXPECT_EQ(jobs, 1);
  EXPECT_EQ(system.window().text("txtfilename"), u"/home/user/notes.txt");
  EXPECT_EQ(system.window().text("lblmessage"), u"File encryption complete!");
  // Once the handler has returned, the window takes them again.
  system.events().filesDropped({u"/home/user/other.txt"});
  EXPECT_EQ(system.window().text("txtfilename"), u"/home/user/other.txt");
}

TEST(HandedFile, OnlyTheFirstMainWindowOpensOnTheFileTheProgramWasStartedWith) {
  MessageRecorder boxes;
  FakeWindowSystem system;
  const ProgramWindows windows({.messages = boxes}, u"/home/user/notes.txt");
  WindowSwitcher switcher(system, windows);
  switcher.start();
  system.events().ticked("Timer1");
  system.finishHandler();
  EXPECT_EQ(system.window().text("txtfilename"), u"/home/user/notes.txt");

  system.events().clicked("Label4");
  system.finishHandler();
  system.events().clicked("Label2");
  system.finishHandler();
  EXPECT_EQ(system.window().text("txtfilename"), u"");
}

} // namespace
} // namespace orvelin::testing
