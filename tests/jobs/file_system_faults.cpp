#include "file_system_faults.h"

namespace orvelin::testing {
namespace {

using Faults = FileSystemFaults;

#ifdef _WIN32
// The security calls give their error as their result; failWith still sets it, and kills.
DWORD WINAPI getSecurityInfo(HANDLE object, SE_OBJECT_TYPE type, SECURITY_INFORMATION parts, PSID *owner, PSID *group,
                             PACL *dacl, PACL *sacl, PSECURITY_DESCRIPTOR *descriptor) {
  if (const auto error = Faults::active().intercept(FileCall::GetSecurityInfo)) {
    Faults::failWith<DWORD>(*error);
    return *error;
  }
  return FileSystemCalls::platform().getSecurityInfo(object, type, parts, owner, group, dacl, sacl, descriptor);
}

DWORD WINAPI setSecurityInfo(HANDLE object, SE_OBJECT_TYPE type, SECURITY_INFORMATION parts, PSID owner, PSID group,
                             PACL dacl, PACL sacl) {
  if (const auto error = Faults::active().intercept(FileCall::SetSecurityInfo)) {
    Faults::failWith<DWORD>(*error);
    return *error;
  }
  return FileSystemCalls::platform().setSecurityInfo(object, type, parts, owner, group, dacl, sacl);
}

// A Unix program that fails ends with a status other than 0, as chmod does.
LONG CDECL wineUnixSpawnvp(char *const *arguments, int wait) {
  if (const auto error = Faults::active().intercept(FileCall::WineUnixSpawnvp)) {
    Faults::failWith<LONG>(*error);
    return 1;
  }
  return FileSystemCalls::platform().wineUnixSpawnvp(arguments, wait);
}

// Wine's calls stay null on Windows, where the jobs take the table for Windows' by that.
template <auto member, typename Function> Function onlyUnderWine(Function intercepting) {
  return FileSystemCalls::platform().*member != nullptr ? intercepting : nullptr;
}

const FileSystemCalls interceptingCalls{
    Faults::intercepted<FileCall::GetFileAttributesExW, &FileSystemCalls::getFileAttributesEx>(),
    Faults::intercepted<FileCall::GetFullPathNameW, &FileSystemCalls::getFullPathName>(),
    Faults::intercepted<FileCall::GetFinalPathNameByHandleW, &FileSystemCalls::getFinalPathNameByHandle>(),
    Faults::intercepted<FileCall::CreateFileW, &FileSystemCalls::createFile>(),
    Faults::intercepted<FileCall::ReadFile, &FileSystemCalls::readFile>(),
    Faults::intercepted<FileCall::WriteFile, &FileSystemCalls::writeFile>(),
    Faults::intercepted<FileCall::GetFileInformationByHandle, &FileSystemCalls::getFileInformationByHandle>(),
    Faults::intercepted<FileCall::SetFileInformationByHandle, &FileSystemCalls::setFileInformationByHandle>(),
    Faults::intercepted<FileCall::FlushFileBuffers, &FileSystemCalls::flushFileBuffers>(),
    Faults::intercepted<FileCall::CloseHandle, &FileSystemCalls::closeHandle>(),
    getSecurityInfo,
    setSecurityInfo,
    Faults::intercepted<FileCall::DeleteFileW, &FileSystemCalls::deleteFile>(),
    onlyUnderWine<&FileSystemCalls::wineGetUnixFileName>(
        Faults::intercepted<FileCall::WineGetUnixFileName, &FileSystemCalls::wineGetUnixFileName>()),
    onlyUnderWine<&FileSystemCalls::wineUnixSpawnvp>(&wineUnixSpawnvp),
};
#else
const FileSystemCalls interceptingCalls{
    Faults::intercepted<FileCall::Realpath, &FileSystemCalls::realpath>(),
    Faults::intercepted<FileCall::Access, &FileSystemCalls::access>(),
    Faults::intercepted<FileCall::Openat, &FileSystemCalls::openat>(),
    Faults::intercepted<FileCall::Fstatat, &FileSystemCalls::fstatat>(),
    Faults::intercepted<FileCall::Read, &FileSystemCalls::read>(),
    Faults::intercepted<FileCall::Write, &FileSystemCalls::write>(),
    Faults::intercepted<FileCall::Fchown, &FileSystemCalls::fchown>(),
    Faults::intercepted<FileCall::Fchmod, &FileSystemCalls::fchmod>(),
    Faults::intercepted<FileCall::Flistxattr, &FileSystemCalls::flistxattr>(),
    Faults::intercepted<FileCall::Fgetxattr, &FileSystemCalls::fgetxattr>(),
    Faults::intercepted<FileCall::Fsetxattr, &FileSystemCalls::fsetxattr>(),
    Faults::intercepted<FileCall::Fremovexattr, &FileSystemCalls::fremovexattr>(),
    Faults::intercepted<FileCall::Flock, &FileSystemCalls::flock>(),
    Faults::intercepted<FileCall::Fsync, &FileSystemCalls::fsync>(),
    Faults::intercepted<FileCall::Close, &FileSystemCalls::close>(),
    Faults::intercepted<FileCall::Linkat, &FileSystemCalls::linkat>(),
    Faults::intercepted<FileCall::Renameat2, &FileSystemCalls::renameat2>(),
    Faults::intercepted<FileCall::Unlinkat, &FileSystemCalls::unlinkat>(),
};
#endif

} // namespace

FileSystemFaults::FileSystemFaults() : Interception(interceptingCalls) {}

} // namespace orvelin::testing
