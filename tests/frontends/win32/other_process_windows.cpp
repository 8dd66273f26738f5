#include "other_process_windows.h"

#include "frontends/win32/window_dpi.h"

#include <iterator>
#include <thread>

namespace orvelin::win32 {
namespace {

struct Search {
  std::optional<DWORD> process;
  const wchar_t *className;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM data) {
  auto &search = *reinterpret_cast<Search *>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  if ((!search.process || owner == *search.process) && IsWindowVisible(window) != FALSE &&
      std::wstring_view(name) == search.className) {
    search.found.push_back(window);
  }
  return TRUE;
}

// Bounded, so that a program that hangs fails the test instead of holding it up.
LRESULT sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result);
  return static_cast<LRESULT>(result);
}

} // namespace

bool waitFor(const std::function<bool()> &condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::vector<HWND> visibleWindows(std::optional<DWORD> process, const wchar_t *className) {
  Search search{process, className, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring textOf(HWND window) {
  // WM_GETTEXT, not GetWindowTextW, which reads no control of another process.
  const auto length = static_cast<std::size_t>(sendWithin(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(sendWithin(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

SIZE clientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

HWND controlAt(HWND window, const ControlDesign &control) {
  const Box box = pixelsFromTwips(control.box, static_cast<int>(windowDpi(window)));
  const POINT centre{box.left + box.width / 2, box.top + box.height / 2};
  HWND found = ChildWindowFromPointEx(window, centre, CWP_SKIPINVISIBLE);
  return found == window ? nullptr : found;
}

HWND childWithText(HWND window, const std::wstring &text) {
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (textOf(child) == text) {
      return child;
    }
  }
  return nullptr;
}

void click(HWND control) {
  RECT inside{};
  GetClientRect(control, &inside);
  const LPARAM middle = MAKELPARAM(inside.right / 2, inside.bottom / 2);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageW(control, WM_LBUTTONUP, 0, middle);
}

void type(HWND control, const std::wstring &text) {
  for (const wchar_t character : text) {
    sendWithin(control, WM_CHAR, character, 1);
  }
}

void replaceText(HWND control, const std::wstring &text) {
  sendWithin(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND focusOfThread(HWND window) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  return thread.hwndFocus;
}

} // namespace orvelin::win32
