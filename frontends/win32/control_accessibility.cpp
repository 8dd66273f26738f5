#include "frontends/win32/control_accessibility.h"

#include "frontends/win32/accessible_object.h"

#include <commctrl.h>

#include <memory>
#include <utility>

namespace orvelin::win32 {
namespace {

LRESULT CALLBACK accessibleProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data) {
  auto *facts = reinterpret_cast<ControlAccessibility *>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, accessibleProcedure, id);
    const std::unique_ptr<ControlAccessibility> gone(facts);
    return DefSubclassProc(control, message, wParam, lParam);
  }
  if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
    if (IAccessible *object = newAccessibleObject(control, *facts)) {
      const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
      object->Release();
      // A failure (no COM on this thread) leaves the system's object to answer.
      if (result > 0) {
        return result;
      }
    }
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

void announceNewText(HWND control) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control, OBJID_CLIENT, CHILDID_SELF);
}

void announceNewState(HWND control) { NotifyWinEvent(EVENT_OBJECT_STATECHANGE, control, OBJID_CLIENT, CHILDID_SELF); }

void answerForAccessibility(HWND control, ControlAccessibility facts) {
  auto owned = std::make_unique<ControlAccessibility>(std::move(facts));
  if (SetWindowSubclass(control, accessibleProcedure, 0, reinterpret_cast<DWORD_PTR>(owned.get())) != FALSE) {
    owned.release();
  }
}

} // namespace orvelin::win32
