#include "system_facts.h"

#include "base/windows_api.h"

namespace orvelin::cli {

std::uint64_t physicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  return GlobalMemoryStatusEx(&status) != FALSE ? status.ullTotalPhys : 0;
}

bool standardErrorRedraws() {
  const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(console, &mode) == FALSE) {
    return false;
  }
  return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
         SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != FALSE;
}

int standardErrorColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info) == FALSE) {
    return 80;
  }
  const int columns = info.srWindow.Right - info.srWindow.Left + 1;
  return columns > 0 ? columns : 80;
}

std::uint64_t namesOf(const std::filesystem::path &file) {
  // Only its attributes are read, from a handle that lets everyone else do anything meanwhile.
  const HANDLE handle =
      CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return 1;
  }
  BY_HANDLE_FILE_INFORMATION information{};
  const bool told = GetFileInformationByHandle(handle, &information) != FALSE;
  CloseHandle(handle);
  return told ? information.nNumberOfLinks : 1;
}

} // namespace orvelin::cli
