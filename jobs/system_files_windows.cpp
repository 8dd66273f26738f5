#include "system_files.h"

#include "base/unicode_text.h"
#include "file_system_calls.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace orvelin::os {
namespace {

// What one ReadFile or WriteFile is asked to move at most; its count is 32 bits wide.
constexpr std::size_t largestTransfer = std::size_t{1} << 30;

// The attributes a user may give a file that a new file can take over. Read-only is not among them:
// such a file is never replaced.
constexpr DWORD transferableAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                         FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE |
                                         FILE_ATTRIBUTE_TEMPORARY;

// The longest path the wide API takes.
constexpr std::size_t longestPath = 32768;

// The path a call of the wide API wrote to text, length characters long: nothing when it failed, or
// when text was too short for it.
std::optional<Path> pathWritten(std::wstring text, DWORD length) {
  if (length == 0) {
    return std::nullopt;
  }
  if (length >= text.size()) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return std::nullopt;
  }
  text.resize(length);
  return Path(std::move(text));
}

bool inDevicePathForm(const std::wstring &path) { return path.starts_with(LR"(\\?\)") || path.starts_with(LR"(\\.\)"); }

// A path as the user gave it, whole and in the "\\?\" form, which the wide API takes past 260
// characters on every system (the manifest's longPathAware only where the system allows it). That
// form is taken as it stands, so ".", ".." and "/" are resolved here first; a device's name ("CON")
// comes out in its own form.
std::optional<Path> longForm(const Path &file) {
  if (inDevicePathForm(file.native())) {
    return file;
  }
  std::wstring text(longestPath, L'\0');
  const DWORD length =
      fileSystem().getFullPathName(file.c_str(), static_cast<DWORD>(text.size()), text.data(), nullptr);
  std::optional<Path> full = pathWritten(std::move(text), length);
  if (!full || inDevicePathForm(full->native())) {
    return full;
  }
  const std::wstring &whole = full->native();
  // A share's path, \\server\share\..., becomes \\?\UNC\server\share\...
  return whole.starts_with(LR"(\\)") ? Path(LR"(\\?\UNC\)" + whole.substr(2)) : Path(LR"(\\?\)" + whole);
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> attributesOf(const Path &file) {
  const std::optional<Path> path = longForm(file);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!path || fileSystem().getFileAttributesEx(path->c_str(), GetFileExInfoStandard, &data) == FALSE) {
    return std::nullopt;
  }
  return data;
}

// FileRenameInfoEx and its flags, which MinGW declares only for a Windows version number it never
// reaches; the values are those of Windows 10 1607, where the class first came.
constexpr auto fileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
constexpr DWORD replaceIfExists = 0x1; // FILE_RENAME_FLAG_REPLACE_IF_EXISTS; as a BOOLEAN, TRUE
constexpr DWORD posixSemantics = 0x2;  // FILE_RENAME_FLAG_POSIX_SEMANTICS

// The system, or the file system, has no rename with POSIX semantics (Wine, Windows before 10, FAT).
bool posixRenameUnsupported(DWORD error) {
  return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
}

// The file system keeps no security descriptors (FAT, some network shares).
bool keepsNoSecurity(DWORD error) { return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION; }

bool markForDeletion(HANDLE file, bool deleted) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = deleted ? TRUE : FALSE;
  return fileSystem().setFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

// Renames the open file to target through its own handle, replacing what is there. FileRenameInfo
// reads flags as its one BOOLEAN, which replaceIfExists sets.
bool renameOverTarget(HANDLE file, const Path &target, FILE_INFO_BY_HANDLE_CLASS kind, DWORD flags) {
  const std::wstring &name = target.native();
  const std::size_t nameBytes = name.size() * sizeof(wchar_t);
  // FILE_RENAME_INFO ends in its name; the storage is of its own type, for its alignment.
  std::vector<FILE_RENAME_INFO> storage(1 + (nameBytes + sizeof(FILE_RENAME_INFO) - 1) / sizeof(FILE_RENAME_INFO));
  FILE_RENAME_INFO &rename = storage.front();
  rename.Flags = flags;
  rename.RootDirectory = nullptr;
  rename.FileNameLength = static_cast<DWORD>(nameBytes);
  std::copy(name.begin(), name.end(), static_cast<wchar_t *>(rename.FileName));
  return fileSystem().setFileInformationByHandle(
             file, kind, &rename, static_cast<DWORD>(storage.size() * sizeof(FILE_RENAME_INFO))) != FALSE;
}

// The security descriptor, which a rename does not carry over: who may do what with the file (DACL),
// its owner and group where the user may give them, and its integrity label where the process may
// set it. The audit list (SACL) would need a privilege the program does not ask for.
bool takeOverSecurity(HANDLE file, const Path &target) {
  const FileSystemCalls &fs = fileSystem();
  const HANDLE source =
      fs.createFile(target.c_str(), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (source == INVALID_HANDLE_VALUE) {
    return false;
  }
  PSID owner = nullptr;
  PSID group = nullptr;
  PACL dacl = nullptr;
  PACL label = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD read = fs.getSecurityInfo(source, SE_FILE_OBJECT,
                                        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION |
                                            DACL_SECURITY_INFORMATION | LABEL_SECURITY_INFORMATION,
                                        &owner, &group, &dacl, &label, &descriptor);
  fs.closeHandle(source);
  if (read != ERROR_SUCCESS) {
    SetLastError(read);
    return keepsNoSecurity(read);
  }
  const std::unique_ptr<void, decltype(&LocalFree)> held(descriptor, &LocalFree);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(descriptor, &control, &revision);
  // The inherited entries are the folder's, the same for the new file as for the old one.
  const SECURITY_INFORMATION inheritance =
      (control & SE_DACL_PROTECTED) != 0 ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION;
  const DWORD written = fs.setSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | inheritance, nullptr,
                                           nullptr, dacl, nullptr);
  if (written != ERROR_SUCCESS && !keepsNoSecurity(written)) {
    SetLastError(written);
    return false;
  }
  // Giving the file away, or a label above the process's own, needs privileges the user may lack;
  // the file then stays the user's, as on POSIX.
  fs.setSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION, owner, group,
                     nullptr, nullptr);
  if (label != nullptr) {
    fs.setSecurityInfo(file, SE_FILE_OBJECT, LABEL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, label);
  }
  return true;
}

// Wine's own calls are in the table only under Wine.
bool underWine() {
  const FileSystemCalls &fs = fileSystem();
  return fs.wineGetUnixFileName != nullptr && fs.wineUnixSpawnvp != nullptr;
}

// An access list of one entry, granting write access to Authenticated Users.
struct WriteOnlyAccess {
  ACL list;
  ACE_HEADER entry;
  ACCESS_MASK access;
  SID grantee; // of one sub-authority, the size SID has
};

std::optional<std::string> unixPathOf(const Path &file) {
  // Wine sets no error for a name that is no path at all.
  SetLastError(ERROR_PATH_NOT_FOUND);
  char *const name = fileSystem().wineGetUnixFileName(file.c_str());
  if (name == nullptr) {
    return std::nullopt;
  }
  std::string path = name;
  HeapFree(GetProcessHeap(), 0, name);
  return path;
}

// Under Wine a file's security descriptor is made up from its Unix mode, and one written back comes
// out wider: Wine gives the group the bits of every entry for the user, and its SetSecurityInfo adds
// the entries the folder passes on, Everyone's among them (a 0600 file in a 0755 folder came out
// 0775, in a 0777 one 0777). No Windows call sets the mode as it is; chmod carries it over instead.
bool takeOverUnixMode(const Path &file, const Path &target) {
  const std::optional<std::string> from = unixPathOf(target);
  std::optional<std::string> to = from ? unixPathOf(file) : std::nullopt;
  if (!to) {
    return false;
  }
  // Both paths are absolute, so neither reads as an option.
  std::string program = "/bin/chmod";
  std::string reference = "--reference=" + *from;
  char *const arguments[] = {program.data(), reference.data(), to->data(), nullptr};
  if (fileSystem().wineUnixSpawnvp(arguments, 1) != 0) {
    // chmod has said why on standard error, or could not be started.
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return true;
}

// The path of the file an open handle holds, through no link: "\\?\" and its drive, or "\\?\UNC\"
// and its share, a form the wide API takes at any length.
std::optional<Path> finalPathOf(HANDLE file) {
  std::wstring path(longestPath, L'\0');
  const DWORD length = fileSystem().getFinalPathNameByHandle(file, path.data(), static_cast<DWORD>(path.size()),
                                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  return pathWritten(std::move(path), length);
}

// The system cannot name an open file's path: some file systems (RAM disks, some network ones)
// cannot be asked, a volume without a drive letter has no such name, and Wine names none past 260
// characters, whatever the room it is given.
bool finalPathUnnamed(DWORD error) {
  return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_MORE_DATA;
}

// Where the system cannot name the final path, a file that is no link is its own; a link is refused,
// as putting a file in its place would break it.
std::optional<Path> unresolvedTarget(const Path &file) {
  const std::optional<WIN32_FILE_ATTRIBUTE_DATA> data = attributesOf(file);
  if (!data) {
    return std::nullopt;
  }
  if ((data->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    SetLastError(ERROR_CANT_RESOLVE_FILENAME);
    return std::nullopt;
  }
  // A rename by handle wants a whole path.
  return longForm(file);
}

std::optional<Path> finalTarget(const Path &file) {
  const FileSystemCalls &fs = fileSystem();
  // The open follows every symbolic link. It asks for the attributes only, and shares everything, so
  // that no other program's handle is in its way.
  const std::optional<Path> path = longForm(file);
  const HANDLE handle =
      path ? fs.createFile(path->c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr)
           : INVALID_HANDLE_VALUE;
  if (handle == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  const std::optional<Path> target = finalPathOf(handle);
  const DWORD error = GetLastError();
  fs.closeHandle(handle);
  if (!target && finalPathUnnamed(error)) {
    return unresolvedTarget(file);
  }
  SetLastError(error);
  return target;
}

std::optional<BY_HANDLE_FILE_INFORMATION> informationOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (fileSystem().getFileInformationByHandle(file, &information) == FALSE) {
    return std::nullopt;
  }
  return information;
}

std::uint64_t joined(DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; }

// The volume and index name the file on it; a file's size and its last write tell its versions.
FileStamp stampOf(const BY_HANDLE_FILE_INFORMATION &information) {
  return {information.dwVolumeSerialNumber, joined(information.nFileIndexHigh, information.nFileIndexLow),
          joined(information.nFileSizeHigh, information.nFileSizeLow),
          static_cast<std::int64_t>(
              joined(information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime)),
          0};
}

// The entry at place itself, a link included, opened (handle, which the caller closes) and what the
// system says of it; nothing, the handle closed, on a failure.
std::optional<BY_HANDLE_FILE_INFORMATION> openAt(const Place &place, DWORD access, DWORD sharing, DWORD flags,
                                                 HANDLE &handle) {
  handle = fileSystem().createFile(place.path().c_str(), access, sharing, nullptr, OPEN_EXISTING,
                                   flags | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  const std::optional<BY_HANDLE_FILE_INFORMATION> information = informationOf(handle);
  if (!information) {
    const DWORD error = GetLastError();
    fileSystem().closeHandle(handle);
    SetLastError(error);
  }
  return information;
}

// The entry at place, shared with everything, open with access and for a stamp.
std::optional<FileStamp> openStamped(const Place &place, DWORD access, HANDLE &handle) {
  const std::optional<BY_HANDLE_FILE_INFORMATION> information =
      openAt(place, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_FLAG_BACKUP_SEMANTICS, handle);
  return information ? std::optional(stampOf(*information)) : std::nullopt;
}

} // namespace

ErrorCode lastError() { return GetLastError(); }

std::string errorText(ErrorCode error) {
  std::array<wchar_t, 512> text{};
  // The message on one line: its own line breaks become blanks.
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                     nullptr, error, 0, text.data(), static_cast<DWORD>(text.size()), nullptr);
  if (length == 0) {
    return "system error " + std::to_string(error);
  }
  std::string reason = utf8Of(std::wstring_view(text.data(), length));
  while (!reason.empty() &&
         (reason.back() == ' ' || reason.back() == '.' || reason.back() == '\r' || reason.back() == '\n')) {
    reason.pop_back();
  }
  return reason;
}

FolderEntry searchFolderFor(const Path &name) {
  const std::optional<Path> path = longForm(name);
  WIN32_FIND_DATAW found{};
  const HANDLE search = path ? FindFirstFileW(path->c_str(), &found) : INVALID_HANDLE_VALUE;
  if (search == INVALID_HANDLE_VALUE) {
    return {false, false};
  }
  FindClose(search);
  return {(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0,
          (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0};
}

std::optional<FileFacts> factsOf(const Path &file) {
  const std::optional<WIN32_FILE_ATTRIBUTE_DATA> data = attributesOf(file);
  if (!data) {
    return std::nullopt;
  }
  return FileFacts{(data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0,
                   (std::uint64_t{data->nFileSizeHigh} << 32) | data->nFileSizeLow};
}

std::optional<bool> isReadOnly(const Path &file) {
  const std::optional<WIN32_FILE_ATTRIBUTE_DATA> data = attributesOf(file);
  if (!data) {
    return std::nullopt;
  }
  return (data->dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::optional<Place> placeOf(const Path &file) {
  const std::optional<Path> target = finalTarget(file);
  if (!target) {
    return std::nullopt;
  }
  return Place{nullptr, target->parent_path(), target->filename()};
}

void release(const Place & /*place*/) {}

std::optional<Original> openOriginal(const Place &place) {
  // Others may read along, but no program may write to the file while it is read. A link put at its
  // name is opened as itself, which is no regular file.
  HANDLE handle = nullptr;
  const std::optional<BY_HANDLE_FILE_INFORMATION> information =
      openAt(place, GENERIC_READ, FILE_SHARE_READ, FILE_FLAG_SEQUENTIAL_SCAN, handle);
  if (!information) {
    return std::nullopt;
  }
  return Original{handle, stampOf(*information),
                  (information->dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0};
}

std::optional<FileStamp> stampAt(const Place &place) {
  HANDLE handle = nullptr;
  const std::optional<FileStamp> stamp = openStamped(place, FILE_READ_ATTRIBUTES, handle);
  if (stamp) {
    fileSystem().closeHandle(handle);
  }
  return stamp;
}

std::optional<std::size_t> readSome(FileHandle file, char *buffer, std::size_t count) {
  DWORD got = 0;
  if (fileSystem().readFile(file, buffer, static_cast<DWORD>(std::min(count, largestTransfer)), &got, nullptr) ==
      FALSE) {
    return std::nullopt;
  }
  return got;
}

std::optional<std::size_t> writeSome(FileHandle file, const char *bytes, std::size_t count) {
  DWORD wrote = 0;
  if (fileSystem().writeFile(file, bytes, static_cast<DWORD>(std::min(count, largestTransfer)), &wrote, nullptr) ==
      FALSE) {
    return std::nullopt;
  }
  if (wrote == 0) {
    // Nothing taken and no error: there is no room left.
    SetLastError(ERROR_DISK_FULL);
    return std::nullopt;
  }
  return wrote;
}

bool close(FileHandle file) { return fileSystem().closeHandle(file) != FALSE; }

std::optional<PrivateFile> createPrivateFile(const Place &place, const Path &name) {
  const FileSystemCalls &fs = fileSystem();
  const Path path = place.folderPath / name;
  // Under Wine a new file's mode is made up from the access list it is created with, and is the
  // umask's without one (0644: any user may read it). Writing alone, for a group of the user's, makes
  // it 0200 (0220 where the umask leaves the group's write bit) until takeOverUnixMode: no other user
  // may read it, and Wine still deletes it, which it refuses for a file without a write bit. The
  // handle has the access it asks for, as the file's creator's does.
  WriteOnlyAccess writeOnly{{ACL_REVISION, 0, sizeof(WriteOnlyAccess), 1, 0},
                            {ACCESS_ALLOWED_ACE_TYPE, 0, sizeof(WriteOnlyAccess) - sizeof(ACL)},
                            FILE_GENERIC_WRITE,
                            {SID_REVISION, 1, SECURITY_NT_AUTHORITY, {SECURITY_AUTHENTICATED_USER_RID}}};
  SECURITY_DESCRIPTOR descriptor{
      SECURITY_DESCRIPTOR_REVISION, 0, SE_DACL_PRESENT, nullptr, nullptr, nullptr, &writeOnly.list};
  SECURITY_ATTRIBUTES writeOnlyUnderWine{sizeof writeOnlyUnderWine, &descriptor, FALSE};
  // Shared with nobody: while it is open, even a delete fails, which is what keeps it from tidying.
  // Its handle renames it into place, and sets its security descriptor.
  const HANDLE handle =
      fs.createFile(path.c_str(), GENERIC_WRITE | DELETE | READ_CONTROL | WRITE_DAC | WRITE_OWNER, 0,
                    underWine() ? &writeOnlyUnderWine : nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  // Until it is kept, the system deletes the file when its handle closes, even a killed process's.
  if (!markForDeletion(handle, true)) {
    const DWORD error = GetLastError();
    fs.closeHandle(handle);
    fs.deleteFile(path.c_str());
    SetLastError(error);
    return std::nullopt;
  }
  return PrivateFile{handle, name, false};
}

bool nameTaken(ErrorCode error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

bool nameGone(ErrorCode error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

Takeover takeOverAttributes(const PrivateFile &file, const Place &place) {
  const Path target = place.path();
  const std::optional<WIN32_FILE_ATTRIBUTE_DATA> data = attributesOf(target);
  const bool wine = underWine();
  if (!data || (!wine && !takeOverSecurity(file.handle, target))) {
    return Takeover::failed;
  }
  // A rename keeps the new file's own. The times are left as they are (zero).
  FILE_BASIC_INFO basic{};
  const DWORD kept = data->dwFileAttributes & transferableAttributes;
  basic.FileAttributes = kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
  if (fileSystem().setFileInformationByHandle(file.handle, FileBasicInfo, &basic, sizeof basic) == FALSE) {
    return Takeover::failed;
  }
  // Last, as Wine gives write bits of its own with the attributes.
  return !wine || takeOverUnixMode(place.folderPath / file.name, target) ? Takeover::done : Takeover::failed;
}

bool flush(FileHandle file) { return fileSystem().flushFileBuffers(file) != FALSE; }

bool keepPrivateFile(const Place & /*place*/, PrivateFile &file) {
  if (!markForDeletion(file.handle, false)) {
    return false;
  }
  file.named = true;
  return true;
}

Placement putInPlace(const PrivateFile &file, const Place &place, const FileStamp &stamp) {
  // A file another program holds without letting it be deleted cannot be replaced; that is found out
  // before anything moves, on the entry at the name itself, which must still be the file read.
  HANDLE replaced = nullptr;
  const std::optional<FileStamp> now = openStamped(place, DELETE | FILE_READ_ATTRIBUTES, replaced);
  if (!now) {
    return Placement::failed;
  }
  fileSystem().closeHandle(replaced);
  if (*now != stamp) {
    return Placement::changed;
  }
  // With POSIX semantics the name changes hands even while others have the old file open, sharing
  // its deletion; without, as MoveFileExW would do it, but through the handle that holds the file.
  const Path target = place.path();
  if (!renameOverTarget(file.handle, target, fileRenameInfoEx, replaceIfExists | posixSemantics) &&
      (!posixRenameUnsupported(GetLastError()) ||
       !renameOverTarget(file.handle, target, FileRenameInfo, replaceIfExists))) {
    return Placement::failed;
  }
  return Placement::done;
}

// The file's own metadata, its new name with it, reaches the disk.
bool recordPlacement(const PrivateFile &file, const Place & /*place*/) { return flush(file.handle); }

void removeFile(const Place &place, const Path &name) { fileSystem().deleteFile((place.folderPath / name).c_str()); }

// The file of a live job is open without sharing, so only an abandoned one can be deleted.
void removeIfAbandoned(const Place &place, const Path &name) { removeFile(place, name); }

} // namespace orvelin::os
