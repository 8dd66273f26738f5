#include "job_folder.h"

#include "base/unicode_text.h"
#include "tests/crypto/vectors.h"

#include <algorithm>
#include <random>

namespace orvelin::testing {
namespace {

namespace fs = std::filesystem;

fs::path newScratchFolder() {
  std::random_device entropy;
  for (;;) {
    fs::path folder = fs::temp_directory_path() / ("orvelin-jobs-" + std::to_string(entropy()));
    if (fs::create_directory(folder)) {
      return folder;
    }
  }
}

} // namespace

std::string randomBytes(std::size_t length) {
  std::mt19937 generator(12345);
  std::string bytes(length, '\0');
  for (char &byte : bytes) {
    byte = static_cast<char>(generator());
  }
  return bytes;
}

JobFolder::JobFolder() : dir(newScratchFolder()) {}

JobFolder::~JobFolder() {
  std::error_code ignored;
  fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
  // Stepped with an error code, as an entry it cannot reach must not end the tests.
  for (fs::recursive_directory_iterator entry(dir, ignored), end; entry != end; entry.increment(ignored)) {
    fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add | fs::perm_options::nofollow, ignored);
  }
  fs::remove_all(dir, ignored);
}

fs::path JobFolder::put(const fs::path &name, const std::string &bytes) {
  fs::path path = dir / name;
  writeBytes(path, bytes);
  return path;
}

std::string JobFolder::contentOf(const fs::path &path) { return readBytes(path); }

std::vector<std::string> JobFolder::entries() const {
  std::vector<std::string> names;
  for (const fs::directory_entry &entry : fs::directory_iterator(dir)) {
    names.push_back(utf8Of(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<RecordedMessage> JobFolder::fileErrors(const std::string &text) {
  return {{text, "File Error", MessageStyle::Critical}};
}

std::string JobFolder::shown(const fs::path &path) { return utf8Of(path); }

} // namespace orvelin::testing
