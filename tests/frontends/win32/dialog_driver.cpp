#include "dialog_driver.h"

#include <iterator>
#include <string_view>
#include <utility>

namespace orvelin::win32 {
namespace {

DialogDriver *current = nullptr;

bool isDialogBox(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return std::wstring_view(name) == L"#32770";
}

void press(HWND dialog, int button) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

} // namespace

DialogDriver::DialogDriver(std::function<int(HWND dialog)> respond)
    : respond_(std::move(respond)), hook_(SetWindowsHookExW(WH_CBT, onWindowEvent, nullptr, GetCurrentThreadId())) {
  current = this;
}

DialogDriver::~DialogDriver() {
  UnhookWindowsHookEx(hook_);
  current = nullptr;
}

LRESULT CALLBACK DialogDriver::onWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
  // A dialog is activated once it is made and filled in, before its loop takes its first message.
  if (code == HCBT_ACTIVATE && current != nullptr) {
    auto *dialog = reinterpret_cast<HWND>(wParam);
    if (isDialogBox(dialog) && dialog != current->first_) {
      ++current->dialogsShown_;
      if (current->first_ == nullptr) {
        current->first_ = dialog;
        // A timer's message comes only when nothing else is waiting: the dialog is settled by then.
        SetTimer(nullptr, 0, 0, onIdle);
      } else {
        press(dialog, IDCANCEL);
        press(current->first_, IDCANCEL);
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogDriver::onIdle(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (current != nullptr && current->first_ != nullptr) {
    press(current->first_, current->respond_(current->first_));
  }
}

} // namespace orvelin::win32
