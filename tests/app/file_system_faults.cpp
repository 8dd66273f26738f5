#include "file_system_faults.h"

namespace orvelin::testing {
namespace {

using Faults = FileSystemFaults;

#ifdef _WIN32
// ReplaceFileW's stand-in: a failure may have moved files by the time it is reported.
BOOL WINAPI replaceFile(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID exclude,
                        LPVOID reserved) {
  Faults &faults = Faults::active();
  if (const auto error = faults.intercept(FileCall::ReplaceFileW)) {
    faults.leaveReplacedFile(replaced, backup);
    return Faults::failWith<BOOL>(*error);
  }
  return FileSystemCalls::platform().replaceFile(replaced, replacement, backup, flags, exclude, reserved);
}

const FileSystemCalls interceptingCalls{
    Faults::intercepted<FileCall::GetFileAttributesExW, &FileSystemCalls::getFileAttributesEx>(),
    Faults::intercepted<FileCall::GetFullPathNameW, &FileSystemCalls::getFullPathName>(),
    Faults::intercepted<FileCall::CreateFileW, &FileSystemCalls::createFile>(),
    Faults::intercepted<FileCall::ReadFile, &FileSystemCalls::readFile>(),
    Faults::intercepted<FileCall::WriteFile, &FileSystemCalls::writeFile>(),
    Faults::intercepted<FileCall::SetFileInformationByHandle, &FileSystemCalls::setFileInformationByHandle>(),
    Faults::intercepted<FileCall::FlushFileBuffers, &FileSystemCalls::flushFileBuffers>(),
    Faults::intercepted<FileCall::CloseHandle, &FileSystemCalls::closeHandle>(),
    replaceFile,
    Faults::intercepted<FileCall::MoveFileExW, &FileSystemCalls::moveFileEx>(),
    Faults::intercepted<FileCall::DeleteFileW, &FileSystemCalls::deleteFile>(),
};
#else
const FileSystemCalls interceptingCalls{
    Faults::intercepted<FileCall::Stat, &FileSystemCalls::stat>(),
    Faults::intercepted<FileCall::Realpath, &FileSystemCalls::realpath>(),
    Faults::intercepted<FileCall::Access, &FileSystemCalls::access>(),
    Faults::intercepted<FileCall::Open, &FileSystemCalls::open>(),
    Faults::intercepted<FileCall::Read, &FileSystemCalls::read>(),
    Faults::intercepted<FileCall::Write, &FileSystemCalls::write>(),
    Faults::intercepted<FileCall::Fchown, &FileSystemCalls::fchown>(),
    Faults::intercepted<FileCall::Fchmod, &FileSystemCalls::fchmod>(),
    Faults::intercepted<FileCall::Flock, &FileSystemCalls::flock>(),
    Faults::intercepted<FileCall::Fsync, &FileSystemCalls::fsync>(),
    Faults::intercepted<FileCall::Close, &FileSystemCalls::close>(),
    Faults::intercepted<FileCall::Rename, &FileSystemCalls::rename>(),
    Faults::intercepted<FileCall::Unlink, &FileSystemCalls::unlink>(),
};
#endif

} // namespace

FileSystemFaults::FileSystemFaults() : Interception(interceptingCalls) {}

#ifdef _WIN32
void FileSystemFaults::leaveReplacedFile(const wchar_t *replaced, const wchar_t *backup) const {
  switch (replacedFile_) {
  case ReplacedFile::InPlace:
    break;
  case ReplacedFile::CopiedAside:
    CopyFileW(replaced, backup, TRUE);
    break;
  case ReplacedFile::MovedAside:
    MoveFileExW(replaced, backup, 0);
    break;
  case ReplacedFile::Removed:
    DeleteFileW(replaced);
    break;
  }
}
#endif

} // namespace orvelin::testing
