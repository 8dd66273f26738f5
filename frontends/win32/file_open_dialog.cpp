#include "frontends/win32/file_open_dialog.h"

#include <algorithm>
#include <string>

namespace orvelin::win32 {
namespace {

// Pairs of a name and its pattern, each ending in NUL; the literal's own NUL ends the list.
constexpr wchar_t filters[] = L"Text File\0*.txt\0All Files\0*.*\0";

// Room for nearly every path at the first showing. For a longer one the dialog comes back, with room
// enough, and the user chooses again.
constexpr std::size_t firstPathRoom = 1024;
// Windows' longest path, 32,767 characters, and its NUL.
constexpr std::size_t mostPathRoom = 32768;

OpenFileNameResult showSystemDialog(OPENFILENAMEW &dialog) {
  if (GetOpenFileNameW(&dialog) != FALSE) {
    return {true, 0};
  }
  return {false, CommDlgExtendedError()};
}

} // namespace

std::filesystem::path chooseFileToOpen(HWND owner) { return chooseFileToOpen(owner, showSystemDialog); }

std::filesystem::path chooseFileToOpen(HWND owner, const OpenFileNameCall &showDialog) {
  // Starts empty: the dialog takes what the buffer holds as the name to propose.
  std::wstring path(firstPathRoom, L'\0');
  for (;;) {
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    // OFN_NOCHANGEDIR: a name typed in the window may be relative to the working folder, which must
    // stay where it was. OFN_DONTADDTORECENT: the file protected goes on no list of recent files.
    dialog.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    const OpenFileNameResult result = showDialog(dialog);
    if (result.chosen) {
      return path.c_str();
    }
    if (result.error != FNERR_BUFFERTOOSMALL || path.size() >= mostPathRoom) {
      return {};
    }
    // The dialog put the room the path needs, in characters, in the buffer's first character.
    const std::size_t needed = static_cast<WORD>(path[0]);
    path.assign(std::min(std::max(needed, 2 * path.size()), mostPathRoom), L'\0');
  }
}

} // namespace orvelin::win32
