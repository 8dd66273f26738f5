#pragma once
// Stands in for the user before a modal dialog box (a message box, the file-open dialog): looks at
// it and presses a button, from inside the dialog's own message loop.

#include "base/windows_api.h"

#include <functional>

namespace orvelin::win32 {

// While it lives, the first dialog box this thread shows is handed to respond once the dialog has
// finished setting itself up; respond returns the button to press (IDOK, IDCANCEL). Any further
// dialog, which no test expects, is cancelled together with the first, so that nothing waits for
// ever. At most one driver at a time.
class DialogDriver {
public:
  explicit DialogDriver(std::function<int(HWND dialog)> respond);
  ~DialogDriver();
  DialogDriver(const DialogDriver &) = delete;
  DialogDriver &operator=(const DialogDriver &) = delete;

  int dialogsShown() const { return dialogsShown_; }

private:
  static LRESULT CALLBACK onWindowEvent(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK onIdle(HWND, UINT, UINT_PTR timer, DWORD);

  std::function<int(HWND dialog)> respond_;
  HHOOK hook_ = nullptr;
  HWND first_ = nullptr;
  int dialogsShown_ = 0;
};

} // namespace orvelin::win32
