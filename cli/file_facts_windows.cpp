#include "file_facts.h"

#include "base/windows_api.h"

namespace orvelin::cli {
namespace {

std::optional<BY_HANDLE_FILE_INFORMATION> informationOf(const std::filesystem::path &file) {
  // Only its attributes are read, from a handle that lets everyone else do anything meanwhile.
  const HANDLE handle =
      CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  BY_HANDLE_FILE_INFORMATION information{};
  const bool told = GetFileInformationByHandle(handle, &information) != FALSE;
  CloseHandle(handle);
  return told ? std::optional(information) : std::nullopt;
}

} // namespace

std::uint64_t namesOf(const std::filesystem::path &file) {
  const std::optional<BY_HANDLE_FILE_INFORMATION> information = informationOf(file);
  return information ? information->nNumberOfLinks : 1;
}

std::optional<NotAFile> notAFileAt(const std::filesystem::path &path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return NotAFile::Folder;
  }
  // With no access asked for: only what it is, which a device (NUL, COM1) or a pipe tells its handle.
  const HANDLE handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  const DWORD type = GetFileType(handle);
  CloseHandle(handle);
  switch (type) {
  case FILE_TYPE_CHAR:
    return NotAFile::Device;
  case FILE_TYPE_PIPE:
    return NotAFile::Fifo;
  default:
    return std::nullopt;
  }
}

std::optional<FileIdentity> identityOf(const std::filesystem::path &file) {
  const std::optional<BY_HANDLE_FILE_INFORMATION> information = informationOf(file);
  if (!information) {
    return std::nullopt;
  }
  return FileIdentity{information->dwVolumeSerialNumber,
                      (std::uint64_t{information->nFileIndexHigh} << 32) | information->nFileIndexLow};
}

} // namespace orvelin::cli
