#pragma once
// The file jobs reach the file system only through this table of the platform's calls, so that
// tests can make any step fail (a full disk, a vanished file, a refused rename) without a test hook
// in the production path.

#include "base/call_table.h"

#ifdef _WIN32
#include "base/windows_api.h"

#include <aclapi.h>
#else
#include <sys/stat.h>
#include <sys/types.h>
#endif

namespace orvelin {

#ifdef _WIN32
struct FileSystemCalls {
  BOOL(WINAPI *getFileAttributesEx)(LPCWSTR name, GET_FILEEX_INFO_LEVELS level, LPVOID information);
  DWORD(WINAPI *getFullPathName)(LPCWSTR name, DWORD length, LPWSTR buffer, LPWSTR *filePart);
  DWORD(WINAPI *getFinalPathNameByHandle)(HANDLE file, LPWSTR buffer, DWORD length, DWORD flags);
  HANDLE(WINAPI *createFile)
  (LPCWSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
   HANDLE templateFile);
  BOOL(WINAPI *readFile)(HANDLE file, LPVOID buffer, DWORD count, LPDWORD got, LPOVERLAPPED overlapped);
  BOOL(WINAPI *writeFile)(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD wrote, LPOVERLAPPED overlapped);
  BOOL(WINAPI *getFileInformationByHandle)(HANDLE file, LPBY_HANDLE_FILE_INFORMATION information);
  BOOL(WINAPI *setFileInformationByHandle)(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID information, DWORD size);
  BOOL(WINAPI *flushFileBuffers)(HANDLE file);
  BOOL(WINAPI *closeHandle)(HANDLE handle);
  DWORD(WINAPI *getSecurityInfo)
  (HANDLE object, SE_OBJECT_TYPE type, SECURITY_INFORMATION parts, PSID *owner, PSID *group, PACL *dacl, PACL *sacl,
   PSECURITY_DESCRIPTOR *descriptor);
  DWORD(WINAPI *setSecurityInfo)
  (HANDLE object, SE_OBJECT_TYPE type, SECURITY_INFORMATION parts, PSID owner, PSID group, PACL dacl, PACL sacl);
  BOOL(WINAPI *deleteFile)(LPCWSTR name);
  // Wine's own, null on Windows: a file's Unix path, from the process heap (kernel32), and a Unix
  // program run to its end: its exit status, or why it could not start (ntdll).
  char *(CDECL *wineGetUnixFileName)(LPCWSTR name);
  LONG(CDECL *wineUnixSpawnvp)(char *const *arguments, int wait);

  static const FileSystemCalls &platform();
};
#else
struct FileSystemCalls {
  char *(*realpath)(const char *path, char *resolved);
  int (*access)(const char *path, int mode);
  int (*openat)(int folder, const char *path, int flags, mode_t mode);
  int (*fstatat)(int folder, const char *path, struct stat *status, int flags);
  ssize_t (*read)(int file, void *buffer, size_t count);
  ssize_t (*write)(int file, const void *buffer, size_t count);
  int (*fchown)(int file, uid_t owner, gid_t group);
  int (*fchmod)(int file, mode_t mode);
  ssize_t (*flistxattr)(int file, char *names, size_t size);
  ssize_t (*fgetxattr)(int file, const char *name, void *value, size_t size);
  int (*fsetxattr)(int file, const char *name, const void *value, size_t size, int flags);
  int (*fremovexattr)(int file, const char *name);
  int (*flock)(int file, int operation);
  int (*fsync)(int file);
  int (*close)(int file);
  int (*linkat)(int fromFolder, const char *from, int toFolder, const char *to, int flags);
  int (*renameat2)(int fromFolder, const char *from, int toFolder, const char *to, unsigned int flags);
  int (*unlinkat)(int folder, const char *path, int flags);

  static const FileSystemCalls &platform();
};
#endif

inline const FileSystemCalls &fileSystem() { return CallTable<FileSystemCalls>::current(); }
using ScopedFileSystemCalls = CallTable<FileSystemCalls>::Scoped;

} // namespace orvelin
