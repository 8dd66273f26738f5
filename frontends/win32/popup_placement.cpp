#include "frontends/win32/popup_placement.h"

#include <algorithm>

namespace orvelin::win32 {

RECT centredPopupRect(const RECT &workArea, SIZE clientSize) {
  const LONG left = std::max(workArea.left, workArea.left + (workArea.right - workArea.left - clientSize.cx) / 2);
  const LONG top = std::max(workArea.top, workArea.top + (workArea.bottom - workArea.top - clientSize.cy) / 2);
  return {left, top, left + clientSize.cx, top + clientSize.cy};
}

RECT centredPopupRectOnMonitor(HMONITOR monitor, SIZE clientSize) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  return centredPopupRect(info.rcWork, clientSize);
}

} // namespace orvelin::win32
