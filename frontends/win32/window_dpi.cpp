#include "frontends/win32/window_dpi.h"

namespace orvelin::win32 {
namespace {

// A function GetProcAddress found, as its real type; null when it found none. The detour through
// void (*)() tells the compiler the change of function type is meant.
template <typename Function> Function lookUp(HMODULE module, const char *name) {
  if (module == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

DpiLookups lookUpSystemDpiLookups() {
  // From the system folder only, so that no DLL of that name beside the program is loaded instead.
  // It stays loaded for the program's life.
  HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return {lookUp<GetDpiForWindowFunction>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow"),
          lookUp<GetDpiForMonitorFunction>(shcore, "GetDpiForMonitor")};
}

unsigned screenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return static_cast<unsigned>(dpi);
}

} // namespace

const DpiLookups &systemDpiLookups() {
  static const DpiLookups lookups = lookUpSystemDpiLookups();
  return lookups;
}

unsigned windowDpi(HWND window) { return windowDpi(window, systemDpiLookups()); }

unsigned windowDpi(HWND window, const DpiLookups &lookups) {
  if (lookups.forWindow != nullptr) {
    return lookups.forWindow(window);
  }
  if (lookups.forMonitor != nullptr) {
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (SUCCEEDED(
            lookups.forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), MDT_EFFECTIVE_DPI, &dpiX, &dpiY))) {
      return dpiY;
    }
  }
  return screenDpi();
}

} // namespace orvelin::win32
