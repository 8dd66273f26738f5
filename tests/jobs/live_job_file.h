#pragma once
// A file held open the way a running job holds its temporary file, for as long as this lives.

#include "jobs/system_files.h"

#include <filesystem>

namespace orvelin::testing {

class LiveJobFile {
public:
  explicit LiveJobFile(const std::filesystem::path &file);
  LiveJobFile(const LiveJobFile &) = delete;
  LiveJobFile &operator=(const LiveJobFile &) = delete;
  ~LiveJobFile();

  [[nodiscard]] bool held() const { return held_; }

private:
  os::FileHandle handle_;
  bool held_;
};

} // namespace orvelin::testing
