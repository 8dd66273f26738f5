#include "program_arguments.h"

#include "base/windows_api.h"

#include <shellapi.h>

#include <algorithm>

namespace orvelin::win32 {
namespace {

// What a function that writes a path of unknown length gives, asked again with more room until the
// path fits (GetFullPathNameW says the room it needs, GetModuleFileNameW only that it did not fit).
// Empty if it fails.
template <typename Fill> std::wstring pathFrom(Fill fill) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD written = fill(path.data(), static_cast<DWORD>(path.size()));
    if (written == 0) {
      return {};
    }
    if (written < path.size()) {
      path.resize(written);
      return path;
    }
    path.resize(std::max<std::size_t>(written + std::size_t{1}, path.size() * 2));
  }
}

std::wstring fullPathOf(const wchar_t *argument) {
  std::wstring full =
      pathFrom([argument](wchar_t *buffer, DWORD room) { return GetFullPathNameW(argument, room, buffer, nullptr); });
  // A name the system cannot make whole is kept as given, for the window's usual answer.
  return full.empty() ? std::wstring(argument) : full;
}

// One argument of a command line as CommandLineToArgvW reads it back: in quotes, with the
// backslashes before the closing quote doubled. A path holds no quotes.
std::wstring quoted(const std::wstring &path) {
  std::wstring argument = L"\"" + path;
  for (auto last = path.rbegin(); last != path.rend() && *last == L'\\'; ++last) {
    argument.push_back(L'\\');
  }
  return argument + L"\"";
}

std::wstring wide(const std::u16string &text) { return {text.begin(), text.end()}; }

} // namespace

std::vector<std::u16string> handedFiles() {
  int count = 0;
  LPWSTR *arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) {
    return {};
  }
  std::vector<std::u16string> files;
  for (int index = 1; index < count; ++index) {
    const std::wstring full = fullPathOf(arguments[index]);
    files.emplace_back(full.begin(), full.end());
  }
  LocalFree(static_cast<HLOCAL>(arguments));
  return files;
}

bool startProgramFor(const std::u16string &file) {
  const std::wstring program =
      pathFrom([](wchar_t *buffer, DWORD room) { return GetModuleFileNameW(nullptr, buffer, room); });
  if (program.empty()) {
    return false;
  }
  std::wstring commandLine = quoted(program) + L" " + quoted(wide(file));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &started) == FALSE) {
    return false;
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

} // namespace orvelin::win32
