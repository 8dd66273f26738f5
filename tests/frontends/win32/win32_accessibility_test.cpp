// What a screen reader is told of each window the Win32 front end makes, through Microsoft Active
// Accessibility in the window's own process: every control's role, name, description, default action
// and state as ui/accessibility derives them from the design; a press runs exactly what a click
// runs; a new text of an announced control is announced; a selector's change of state is told.

#include "accessible_objects.h"
#include "open_window.h"
#include "ui/accessibility.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace orvelin::win32 {
namespace {

// MSAA's roles for the design's.
const std::map<AccessibleRole, LONG> systemRoles{{AccessibleRole::StaticText, ROLE_SYSTEM_STATICTEXT},
                                                 {AccessibleRole::Button, ROLE_SYSTEM_PUSHBUTTON},
                                                 {AccessibleRole::EditableText, ROLE_SYSTEM_TEXT},
                                                 {AccessibleRole::ProgressBar, ROLE_SYSTEM_PROGRESSBAR}};

std::wstring wide(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

// The events heard by the hook: a window event procedure takes no context.
std::vector<std::pair<HWND, DWORD>> *heard = nullptr;

void CALLBACK onWinEvent(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object, LONG child, DWORD /*thread*/,
                         DWORD /*time*/) {
  const bool announcement =
      event == EVENT_OBJECT_NAMECHANGE || event == EVENT_OBJECT_LIVEREGIONCHANGED || event == EVENT_OBJECT_STATECHANGE;
  if (heard != nullptr && announcement && object == OBJID_CLIENT && child == CHILDID_SELF) {
    heard->emplace_back(window, event);
  }
}

class Win32Accessibility : public testing::TestWithParam<Window> {
protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

TEST_P(Win32Accessibility, EveryControlTellsWhatItsDesignSaysAndAPressIsAClick) {
  const WindowDesign &design = designOf(GetParam());
  OpenWindow opened(design);
  const ComPtr<IAccessible> window = accessibleObjectOf(opened.handle());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(accessibleText(window, &IAccessible::get_accName), wide(design.caption));

  for (const ControlDesign &control : design.controls) {
    SCOPED_TRACE(std::string(control.name));
    const AccessibleControl expected = accessibleOf(design, control);
    const ComPtr<IAccessible> object = accessibleObjectOf(opened.control(control.name));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(accessibleNumber(object, &IAccessible::get_accRole), systemRoles.at(expected.role));
    EXPECT_EQ(accessibleText(object, &IAccessible::get_accName), wide(expected.name));
    EXPECT_EQ(accessibleText(object, &IAccessible::get_accDescription), wide(expected.description));
    EXPECT_EQ(accessibleText(object, &IAccessible::get_accDefaultAction), pressable(expected) ? L"Press" : L"");
    const bool selected = !expected.selects.empty() && design.controls[controlIndex(design, expected.selects)].visible;
    EXPECT_EQ((accessibleNumber(object, &IAccessible::get_accState) & STATE_SYSTEM_CHECKED) != 0, selected);

    opened.events.list.clear();
    object->accDoDefaultAction(self());
    pumpMessages();
    EXPECT_EQ(opened.events.list, pressable(expected) ? std::vector<std::string>{"click " + std::string(control.name)}
                                                      : std::vector<std::string>());
  }

  std::vector<std::pair<HWND, DWORD>> events;
  heard = &events;
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, onWinEvent,
                      GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  for (const ControlDesign &control : design.controls) {
    SCOPED_TRACE(std::string(control.name));
    HWND handle = opened.control(control.name);
    events.clear();
    opened.window.setText(control.name, u"Something new");
    pumpMessages();
    const bool announced = accessibleOf(design, control).announced;
    using Heard = std::vector<std::pair<HWND, DWORD>>;
    const Heard expected =
        announced ? Heard{{handle, EVENT_OBJECT_NAMECHANGE}, {handle, EVENT_OBJECT_LIVEREGIONCHANGED}} : Heard();
    EXPECT_EQ(events, expected);
    if (announced) {
      EXPECT_EQ(accessibleText(accessibleObjectOf(handle), &IAccessible::get_accName), L"Something new");
    }
  }
  // Showing or hiding a group's first control changes its selector's checked state, and says so.
  for (const ControlDesign &control : design.controls) {
    SCOPED_TRACE(std::string(control.name));
    std::vector<std::pair<HWND, DWORD>> expected;
    for (const ControlDesign &selector : design.controls) {
      if (accessibleOf(design, selector).selects == control.name) {
        expected.emplace_back(opened.control(selector.name), EVENT_OBJECT_STATECHANGE);
      }
    }
    events.clear();
    opened.window.setVisible(control.name, !control.visible);
    pumpMessages();
    EXPECT_EQ(events, expected);
  }
  UnhookWinEvent(hook);
  heard = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Windows, Win32Accessibility, testing::ValuesIn(allWindows), windowTestName);

} // namespace
} // namespace orvelin::win32
