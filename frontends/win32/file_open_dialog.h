#pragma once

#include "base/windows_api.h"

#include <cderr.h>
#include <commdlg.h>

#include <filesystem>
#include <functional>

namespace orvelin::win32 {

// How one showing of the dialog ended: a file chosen, or not, with CommDlgExtendedError's code
// then (0 for a cancel).
struct OpenFileNameResult {
  bool chosen = false;
  DWORD error = 0;
};

// Shows the dialog the structure describes and waits for it: GetOpenFileNameW in the program, a
// stand-in in tests.
using OpenFileNameCall = std::function<OpenFileNameResult(OPENFILENAMEW &dialog)>;

// The program's file-open dialog, modal over owner: an existing file, through the filters "Text File"
// (*.txt, selected first) and "All Files" (*.*). The full path, or empty after a cancel or when the
// dialog cannot be shown.
std::filesystem::path chooseFileToOpen(HWND owner);
std::filesystem::path chooseFileToOpen(HWND owner, const OpenFileNameCall &showDialog);

} // namespace orvelin::win32
