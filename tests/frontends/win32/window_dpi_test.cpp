#include "frontends/win32/window_dpi.h"

#include "test_windows.h"

#include <gtest/gtest.h>

namespace orvelin::win32 {
namespace {

// Stand-ins for the system's lookups, each with its own answer, and what they were asked.
HWND askedWindow = nullptr;
HMONITOR askedMonitor = nullptr;

UINT WINAPI windowAt144(HWND window) {
  askedWindow = window;
  return 144;
}

HRESULT WINAPI monitorAt120(HMONITOR monitor, MONITOR_DPI_TYPE type, UINT *dpiX, UINT *dpiY) {
  askedMonitor = monitor;
  // The effective DPI is the one windows are laid out at; the others are the panel's raw density.
  *dpiX = *dpiY = type == MDT_EFFECTIVE_DPI ? 120 : 1;
  return S_OK;
}

TEST(WindowDpi, AsksTheWindowWhereTheSystemCan) {
  auto *window = reinterpret_cast<HWND>(0x1234);
  EXPECT_EQ(windowDpi(window, {windowAt144, monitorAt120}), 144U);
  EXPECT_EQ(askedWindow, window);
}

TEST(WindowDpi, ElseAsksTheWindowsMonitor) {
  const UniqueWindow window = showPopupWindow(Activation::Activated);
  ASSERT_NE(window, nullptr) << noWindowHint;
  EXPECT_EQ(windowDpi(window.get(), {nullptr, monitorAt120}), 120U);
  EXPECT_EQ(askedMonitor, MonitorFromWindow(window.get(), MONITOR_DEFAULTTONEAREST));
}

TEST(WindowDpi, EveryLookupOfThisSystemAgrees) {
  const DpiLookups &system = systemDpiLookups();
  ASSERT_NE(system.forWindow, nullptr) << "GetDpiForWindow not found in user32";
  ASSERT_NE(system.forMonitor, nullptr) << "GetDpiForMonitor not found in shcore";
  const UniqueWindow window = showPopupWindow(Activation::Activated);
  ASSERT_NE(window, nullptr) << noWindowHint;

  // One monitor, and the system's DPI on it: the fallbacks must find the same as the newest call.
  const unsigned dpi = windowDpi(window.get());
  EXPECT_GE(dpi, 96U);
  EXPECT_EQ(windowDpi(window.get(), {nullptr, system.forMonitor}), dpi);
  EXPECT_EQ(windowDpi(window.get(), {nullptr, nullptr}), dpi);
}

} // namespace
} // namespace orvelin::win32
