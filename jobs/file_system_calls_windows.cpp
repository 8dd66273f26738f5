#include "file_system_calls.h"

namespace orvelin {
namespace {

// One of Wine's functions beside a system DLL's; null on Windows.
template <typename Function> Function wineFunction(const wchar_t *module, const char *name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(module), name)));
}

} // namespace

const FileSystemCalls &FileSystemCalls::platform() {
  static const FileSystemCalls calls{
      ::GetFileAttributesExW,
      ::GetFullPathNameW,
      ::GetFinalPathNameByHandleW,
      ::CreateFileW,
      ::ReadFile,
      ::WriteFile,
      ::GetFileInformationByHandle,
      ::SetFileInformationByHandle,
      ::FlushFileBuffers,
      ::CloseHandle,
      ::GetSecurityInfo,
      ::SetSecurityInfo,
      ::DeleteFileW,
      wineFunction<char *(CDECL *)(LPCWSTR)>(L"kernel32.dll", "wine_get_unix_file_name"),
      wineFunction<LONG(CDECL *)(char *const *, int)>(L"ntdll.dll", "__wine_unix_spawnvp"),
  };
  return calls;
}

} // namespace orvelin
