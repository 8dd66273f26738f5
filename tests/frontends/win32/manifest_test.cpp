// What the manifest linked into the program does to it, seen from inside the running process.
#include "base/windows_api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <string>

namespace orvelin::win32 {
namespace {

// A setting of the process's manifest as Windows reads it; empty when Windows finds none.
std::wstring manifestSetting(const wchar_t *space, const wchar_t *name) {
  wchar_t value[128] = {};
  SIZE_T length = 0;
  if (QueryActCtxSettingsW(0, nullptr, space, name, value, std::size(value), &length) == FALSE) {
    return {};
  }
  return value;
}

// Windows 10 1607 and later read the list and take the first awareness they know; Windows 8.1 and
// earlier Windows 10 read only the older setting.
TEST(Manifest, AsksForPerMonitorDpiAwarenessVersion2ThenPerMonitor) {
  EXPECT_EQ(manifestSetting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"PerMonitorV2, PerMonitor");
  EXPECT_EQ(manifestSetting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm");
}

// Windows 10 and later open a path past 260 characters only for a program that says it can take one.
TEST(Manifest, SaysTheProgramTakesLongPaths) {
  EXPECT_EQ(manifestSetting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"longPathAware"), L"true");
}

TEST(Manifest, BringsCommonControls6) {
  HMODULE controls = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(controls, nullptr);
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(controls, path.data(), static_cast<DWORD>(path.size())));
  FreeLibrary(controls);
  std::transform(path.begin(), path.end(), path.begin(), [](wchar_t c) { return std::towlower(c); });
  // Version 6 lives in the side-by-side store, under the assembly's name and version; without the
  // manifest the loader takes version 5 from the system folder.
  EXPECT_NE(path.find(L"\\winsxs\\"), std::wstring::npos) << path;
  EXPECT_NE(path.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::wstring::npos) << path;
}

// Passwords become bytes in the ANSI code page; UTF-8 there would give accented passwords other bytes
// than Windows programs gave them.
TEST(Manifest, LeavesTheAnsiCodePageTheSystems) { EXPECT_NE(GetACP(), static_cast<UINT>(CP_UTF8)); }

} // namespace
} // namespace orvelin::win32
