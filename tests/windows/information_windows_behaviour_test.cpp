// The handlers of Help, About and the software information window, without a toolkit: the exit and
// minimise controls, and About's groups.

#include "tests/crypto/message_recorder.h"
#include "tests/ui/fake_navigator.h"
#include "tests/ui/fake_window.h"
#include "windows/program_windows.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvelin::testing {
namespace {

// A window as its switcher loads it: created, then its load handler run.
struct Loaded {
  explicit Loaded(Window window)
      : view(designOf(window)), behaviour(createBehaviour(window, view, navigator, {.messages = boxes})) {
    behaviour->load();
  }

  MessageRecorder boxes;
  FakeWindow view;
  FakeNavigator navigator;
  std::unique_ptr<WindowBehaviour> behaviour;
};

TEST(InformationWindowsBehaviour, ExitLeadsToTheMainWindowAndMinimiseMinimises) {
  struct Case {
    const char *tag;
    const char *control;
    Window window;
    bool exits;
  };
  const Case cases[] = {
      {"Help X", "Label5", Window::Help, true},       {"Help _", "Label6", Window::Help, false},
      {"About X", "Label2", Window::About, true},     {"About _", "Label3", Window::About, false},
      {"softinf C", "Label6", Window::softinf, true},
  };
  for (const Case &each : cases) {
    SCOPED_TRACE(each.tag);
    Loaded loaded(each.window);
    const std::vector<std::string> shownBefore = loaded.view.visibleControls();

    loaded.behaviour->click(each.control);

    EXPECT_EQ(loaded.navigator.shown, each.exits ? std::vector<Window>{Window::frmMain} : std::vector<Window>{});
    EXPECT_EQ(loaded.view.minimised(), !each.exits);
    EXPECT_EQ(loaded.navigator.ends, 0);
    EXPECT_EQ(loaded.view.visibleControls(), shownBefore);
  }
}

TEST(InformationWindowsBehaviour, AboutShowsOneGroupAtATimeAndTheRestAlways) {
  const std::vector<std::string> alwaysShown{"Label1", "Label2", "Label3", "Label10", "Label11", "Label16", "Label20"};
  const std::vector<std::string> adcc{"Label4", "Label5", "Label6", "Label7", "Label8", "Label9"};
  const std::vector<std::string> credit{"Label12", "Label13", "Label14", "Label15"};
  const std::vector<std::string> communication{"Label17", "Label18", "Label19"};
  struct Case {
    const char *tag;
    std::vector<const char *> clicks;
    std::vector<std::string> group;
  };
  const Case cases[] = {
      {"load", {}, adcc},
      {"Credit", {"Label11"}, credit},
      {"Communication", {"Label16"}, communication},
      {"Credit, then ADCC", {"Label11", "Label10"}, adcc},
      {"Communication, then Credit", {"Label16", "Label11"}, credit},
      {"ADCC while shown", {"Label10"}, adcc},
      {"Credit twice", {"Label11", "Label11"}, credit},
      {"Communication twice", {"Label16", "Label16"}, communication},
      {"Credit, then minimise", {"Label11", "Label3"}, credit},
  };
  for (const Case &each : cases) {
    SCOPED_TRACE(each.tag);
    Loaded about(Window::About);

    for (const char *selector : each.clicks) {
      about.behaviour->click(selector);
    }

    std::vector<std::string> expected = alwaysShown;
    expected.insert(expected.end(), each.group.begin(), each.group.end());
    std::ranges::sort(expected);
    std::vector<std::string> shown = about.view.visibleControls();
    std::ranges::sort(shown);
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(about.navigator.shown.empty());
  }
}

} // namespace
} // namespace orvelin::testing
