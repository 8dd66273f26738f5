#pragma once
// Real top-level windows for the tests that need one: an owner for a dialog, or a window to measure.

#include "base/windows_api.h"

#include <memory>
#include <type_traits>

namespace orvelin::win32 {

struct WindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// Null when no window can be made; the assertion then tells why.
inline constexpr const char *noWindowHint = "no window could be made: Wine needs a display (scripts/check-windows "
                                            "starts Xvfb)";

// A visible WS_POPUP window of this thread with the given outer rectangle, activated or not.
enum class Activation { Activated, LeftInactive };
UniqueWindow showPopupWindow(const RECT &outer, Activation activation);
UniqueWindow showPopupWindow(Activation activation);

} // namespace orvelin::win32
