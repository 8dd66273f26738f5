#include "scratch_folder.h"

namespace orvelin::bench {

ScratchFolder::ScratchFolder(const std::string &name) : path_(std::filesystem::temp_directory_path() / name) {
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored; // a destructor may not throw, and nothing is left to report to
  std::filesystem::remove_all(path_, ignored);
}

} // namespace orvelin::bench
