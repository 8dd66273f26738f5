#pragma once
// The DPI at which a window is laid out. Per-monitor awareness gives every window its monitor's DPI,
// but the call that tells it, GetDpiForWindow, came only with Windows 10 1607: older systems are
// asked what they can answer.

#include "base/windows_api.h"

#include <shellscalingapi.h>

namespace orvelin::win32 {

using GetDpiForWindowFunction = UINT(WINAPI *)(HWND window);
using GetDpiForMonitorFunction = HRESULT(WINAPI *)(HMONITOR monitor, MONITOR_DPI_TYPE type, UINT *dpiX, UINT *dpiY);

// The calls that can tell a window's DPI, newest first; null where the system lacks one.
struct DpiLookups {
  GetDpiForWindowFunction forWindow = nullptr;   // user32, Windows 10 1607 and later
  GetDpiForMonitorFunction forMonitor = nullptr; // shcore, Windows 8.1 and later
};

// This system's, looked up once.
const DpiLookups &systemDpiLookups();

// The window's DPI through the newest lookup there is: the window's own, else its monitor's, else
// the screen's, which is the whole system's DPI on Windows 7 and 8.
unsigned windowDpi(HWND window);
unsigned windowDpi(HWND window, const DpiLookups &lookups);

} // namespace orvelin::win32
