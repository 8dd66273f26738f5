#pragma once
// Another program's windows, looked at and driven from outside as a user's tools would: through
// window messages that Windows carries between processes.

#include "base/windows_api.h"
#include "ui/window_design.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvelin::win32 {

// Polls condition until it holds, for at most limit; whether it held.
bool waitFor(const std::function<bool()> &condition, std::chrono::milliseconds limit = std::chrono::seconds(30));

// The visible top-level windows of the process (of any, without one) of that class, such as "#32770"
// for dialog boxes.
std::vector<HWND> visibleWindows(std::optional<DWORD> process, const wchar_t *className);

// The text of any window, a control of another process included.
std::wstring textOf(HWND window);

SIZE clientSize(HWND window);

// The visible child window of window where the design puts control: at its box's centre, at the
// window's DPI. Null when there is none.
HWND controlAt(HWND window, const ControlDesign &control);

// The child window of window whose text is text; null when there is none.
HWND childWithText(HWND window, const std::wstring &text);

// The left button pressed and released in the middle of the control.
void click(HWND control);

// Types text into an edit control, character by character.
void type(HWND control, const std::wstring &text);

// Puts text in place of what an edit control holds, as assistive technology does (WM_SETTEXT).
void replaceText(HWND control, const std::wstring &text);

// The window that has the keyboard focus in the thread that owns window.
HWND focusOfThread(HWND window);

} // namespace orvelin::win32
