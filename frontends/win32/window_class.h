#pragma once
// The classes of the program's own windows.

#include "base/windows_api.h"

namespace orvelin::win32 {

// Registers the class of windows called name in this program, whose messages go to procedure, with
// the mouse pointer over them cursor (none when null: the windows set it); throws std::system_error
// when the system refuses. Once for each class.
ATOM registerWindowClass(const wchar_t *name, WNDPROC procedure, HCURSOR cursor = nullptr);

} // namespace orvelin::win32
