// What holds for every window's design together with its behaviour: controls can be told apart by
// name, exactly the controls the user can click have a handler, as a window's timer has, a
// screen reader can name what the user works with, and high contrast leaves no fixed colour.

#include "tests/crypto/message_recorder.h"
#include "tests/ui/fake_navigator.h"
#include "tests/ui/fake_window.h"
#include "ui/accessibility.h"
#include "ui/colour_scheme.h"
#include "ui/window_list.h"
#include "windows/program_windows.h"

#include <gtest/gtest.h>

#include <set>

namespace orvelin::testing {
namespace {

// Services that do nothing but count that they were asked.
MainWindowServices countingServices(int &calls, MessageSink &messages) {
  const auto countedJob = [&calls](const std::u16string &, const std::u16string &, MessageSink &, const JobProgress &) {
    return ++calls, true;
  };
  return {.messages = messages,
          .encryptFile = countedJob,
          .decryptFile = countedJob,
          .findsFile = [&calls](const std::u16string &) { return ++calls, true; },
          .chooseFile = [&calls](WindowView &) { return ++calls, std::u16string(); },
          .runJob = [&calls, &messages](WindowView &, std::string_view,
                                        const BoundJob &job) { return ++calls, job(messages, {}); }};
}

// Whether the event made the window do anything at all.
template <typename Event> bool hasEffect(Window window, Event event) {
  FakeWindow view(designOf(window));
  FakeNavigator navigator;
  int serviceCalls = 0;
  MessageRecorder recorder;
  const std::unique_ptr<WindowBehaviour> behaviour =
      createBehaviour(window, view, navigator, countingServices(serviceCalls, recorder));
  behaviour->load();
  const int requestsAtLoad = view.requests();

  event(*behaviour);

  return view.requests() != requestsAtLoad || !navigator.shown.empty() || navigator.ends != 0 || serviceCalls != 0 ||
         !recorder.messages().empty();
}

TEST(WindowDesigns, NoTwoControlsOutlinesOrLinesOfAWindowShareAName) {
  for (const Window window : allWindows) {
    const WindowDesign &design = designOf(window);
    SCOPED_TRACE(design.name);
    std::set<std::string_view> names;
    for (const ControlDesign &control : design.controls) {
      names.insert(control.name);
    }
    for (const OutlineDesign &outline : design.outlines) {
      names.insert(outline.name);
    }
    for (const LineDesign &line : design.lines) {
      names.insert(line.name);
    }
    EXPECT_EQ(names.size(), design.controls.size() + design.outlines.size() + design.lines.size());
  }
}

TEST(WindowDesigns, ExactlyTheClickableControlsHaveAHandler) {
  for (const Window window : allWindows) {
    for (const ControlDesign &control : designOf(window).controls) {
      SCOPED_TRACE(std::string(designOf(window).name) + " " + std::string(control.name));
      const bool clickable = control.kind == ControlKind::ClickableLabel || control.kind == ControlKind::ClickArea;
      EXPECT_EQ(hasEffect(window, [&control](WindowBehaviour &behaviour) { behaviour.click(control.name); }),
                clickable);
    }
    if (const std::optional<TimerDesign> &timer = designOf(window).timer) {
      EXPECT_TRUE(hasEffect(window, [&timer](WindowBehaviour &behaviour) { behaviour.tick(timer->name); }))
          << designOf(window).name << " " << timer->name;
    }
  }
}

// A screen reader can use every window: what a user presses, types into or waits on has a name in
// words, a text box's label is a label of its window, and each group's selector knows its group.
TEST(WindowDesigns, EveryControlAUserPressesOrTypesIntoIsNamedForAScreenReader) {
  const auto isWord = [](std::string_view name) {
    return name.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") != std::string_view::npos &&
           name.size() > 1;
  };
  for (const Window window : allWindows) {
    const WindowDesign &design = designOf(window);
    for (const ControlDesign &control : design.controls) {
      SCOPED_TRACE(std::string(design.name) + " " + std::string(control.name));
      const AccessibleControl accessible = accessibleOf(design, control);
      if (control.kind != ControlKind::Label) {
        EXPECT_TRUE(isWord(accessible.name)) << "named \"" << accessible.name << "\"";
      }
      if (control.kind == ControlKind::TextBox) {
        EXPECT_EQ(design.controls[controlIndex(design, accessible.labelledBy)].kind, ControlKind::Label);
      }
    }
    for (const GroupDesign &group : design.groups) {
      EXPECT_EQ(accessibleOf(design, design.controls[controlIndex(design, group.selector)]).selects,
                group.controls.front());
    }
  }
}

// In the standard scheme every window is painted as its design says; under high contrast, in the
// scheme's colours alone: texts in the colour meant for what they are on, no fixed black, no fill
// of a box, and only a label's own mark (the Product ID's green) kept.
TEST(WindowDesigns, UnderHighContrastNothingButALabelsFillHasAFixedColour) {
  for (const Window window : allWindows) {
    const WindowDesign &design = designOf(window);
    SCOPED_TRACE(design.name);
    EXPECT_EQ(windowColour(design, Contrast::Standard), design.background);
    EXPECT_EQ(windowColour(design, Contrast::High), Colour::ButtonFace);
    for (const ControlDesign &control : design.controls) {
      SCOPED_TRACE(control.name);
      EXPECT_EQ(textColour(control, Contrast::Standard), control.colour);
      EXPECT_EQ(fillOf(control, Contrast::Standard).has_value(), control.background.has_value());
      const Colour text = textColour(control, Contrast::High);
      EXPECT_NE(text, Colour::Black);
      if (control.kind == ControlKind::TextBox) {
        EXPECT_EQ(text, Colour::BoxText);
        EXPECT_FALSE(fillOf(control, Contrast::High));
      } else if (control.colour == Colour::Black) {
        EXPECT_EQ(text, Colour::ButtonText);
      }
    }
  }
  EXPECT_EQ(lineColour(Contrast::Standard), Colour::Black);
  EXPECT_EQ(lineColour(Contrast::High), Colour::ButtonText);
}

} // namespace
} // namespace orvelin::testing
