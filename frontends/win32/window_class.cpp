#include "frontends/win32/window_class.h"

#include <system_error>

namespace orvelin::win32 {

ATOM registerWindowClass(const wchar_t *name, WNDPROC procedure, HCURSOR cursor) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = cursor;
  windowClass.lpszClassName = name;
  const ATOM registered = RegisterClassExW(&windowClass);
  if (registered == 0) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "RegisterClassExW");
  }
  return registered;
}

} // namespace orvelin::win32
