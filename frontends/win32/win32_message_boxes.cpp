#include "frontends/win32/win32_message_boxes.h"

#include "base/windows_api.h"
#include "frontends/win32/utf16.h"

namespace orvelin::win32 {

// The program's style values are MessageBoxW's own.
static_assert(static_cast<UINT>(MessageStyle::Plain) == 0);
static_assert(static_cast<UINT>(MessageStyle::Critical) == MB_ICONHAND);
static_assert(static_cast<UINT>(MessageStyle::Information) == MB_ICONASTERISK);

void Win32MessageBoxes::show(const std::string &text, const std::string &title, MessageStyle style) {
  HWND owner = GetActiveWindow();
  UINT type = MB_OK | static_cast<UINT>(style);
  if (owner == nullptr) {
    // With no owner to disable, a box would let the user click the program's windows behind it
    // (say, when a job ends while another program is in front): disable them all.
    type |= MB_TASKMODAL;
  }
  MessageBoxW(owner, utf16FromUtf8(text).c_str(), utf16FromUtf8(title).c_str(), type);
}

} // namespace orvelin::win32
