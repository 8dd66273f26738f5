#pragma once

#include <filesystem>
#include <string>

namespace orvelin::bench {

// A folder of the system's temporary one for a step's files, removed with all it holds when the
// step ends, by a failure too: a failed step leaves no copies of a large file behind.
class ScratchFolder {
public:
  explicit ScratchFolder(const std::string &name);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder &) = delete;
  ScratchFolder &operator=(const ScratchFolder &) = delete;

  [[nodiscard]] const std::filesystem::path &path() const { return path_; }

private:
  std::filesystem::path path_;
};

} // namespace orvelin::bench
