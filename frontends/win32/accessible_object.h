#pragma once
// The object a screen reader is given for a control's client area: the system's standard one, with
// the design's role, name, description, default action and state in front of it.

#include "base/windows_api.h"
#include "frontends/win32/control_accessibility.h"

#include <oleacc.h>

namespace orvelin::win32 {

// A new object for control, with one reference the caller owns; null when the system gives none.
IAccessible *newAccessibleObject(HWND control, const ControlAccessibility &facts);

} // namespace orvelin::win32
