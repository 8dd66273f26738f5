#include "file_system_calls.h"

namespace orvelin {

const FileSystemCalls &FileSystemCalls::platform() {
  static const FileSystemCalls calls{
      ::GetFileAttributesExW,
      ::GetFullPathNameW,
      ::GetFinalPathNameByHandleW,
      ::CreateFileW,
      ::ReadFile,
      ::WriteFile,
      ::SetFileInformationByHandle,
      ::FlushFileBuffers,
      ::CloseHandle,
      ::GetSecurityInfo,
      ::SetSecurityInfo,
      ::DeleteFileW,
  };
  return calls;
}

} // namespace orvelin
