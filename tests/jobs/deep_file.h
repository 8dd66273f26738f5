#pragma once
// Windows only: a file whose path is past 260 characters, for the tests of such paths. It is made and
// removed in the long form, which the standard library's folder removal does not reach.

#include "base/windows_api.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orvelin::testing {

// A path as the wide API takes it past 260 characters whatever the system allows.
inline std::filesystem::path longForm(const std::filesystem::path &path) { return LR"(\\?\)" + path.wstring(); }

// A file named name in three folders of 100 characters, one in another, in the folder in.
class DeepFile {
public:
  DeepFile(const std::filesystem::path &in, const std::filesystem::path &name, const std::string &content) : path_(in) {
    for (const wchar_t letter : {L'a', L'b', L'c'}) {
      path_ /= std::wstring(100, letter);
      folders_.push_back(path_);
      made_ = CreateDirectoryW(longForm(path_).c_str(), nullptr) != FALSE && made_;
    }
    path_ /= name;
    std::ofstream file(longForm(path_), std::ios::binary);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
    made_ = file.good() && made_;
  }
  DeepFile(const DeepFile &) = delete;
  DeepFile &operator=(const DeepFile &) = delete;
  ~DeepFile() {
    DeleteFileW(longForm(path_).c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) {
      RemoveDirectoryW(longForm(*folder).c_str());
    }
  }

  [[nodiscard]] const std::filesystem::path &path() const { return path_; }
  // Whether the folders and the file with its content were all made.
  [[nodiscard]] bool made() const { return made_; }

private:
  std::filesystem::path path_;
  std::vector<std::filesystem::path> folders_;
  bool made_ = true;
};

} // namespace orvelin::testing
