#pragma once
// Where the program's windows open: centred on a monitor, clear of the taskbar. They are WS_POPUP
// windows without border or caption, so a window's outer rectangle is its client area.

#include "base/windows_api.h"

namespace orvelin::win32 {

// The outer rectangle of a window of clientSize pixels centred on workArea. A window larger than the
// work area keeps its top left corner inside it, where its title strip and exit control are.
RECT centredPopupRect(const RECT &workArea, SIZE clientSize);

// The same on the monitor's work area: the monitor without the taskbar and docked bars.
RECT centredPopupRectOnMonitor(HMONITOR monitor, SIZE clientSize);

} // namespace orvelin::win32
