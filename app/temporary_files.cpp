#include "temporary_files.h"

#include <random>
#include <string_view>

namespace orvelin {
namespace {

using NativeName = std::filesystem::path::string_type;

// Keeps the temporary name within the 255-character limit of a file name.
constexpr std::size_t longestNameStem = 200;
constexpr std::size_t randomLength = 6;
constexpr std::string_view randomCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// As many names as a C library's mkstemp tries before it gives up on a folder far too full of them.
constexpr int attempts = 100;

// ".<name>.orvelin-": hidden, so that a file left by a crash stays out of the user's way.
NativeName temporaryPrefixFor(const std::filesystem::path &target) {
  std::filesystem::path prefix = ".";
  prefix += target.filename().native().substr(0, longestNameStem);
  prefix += ".orvelin-";
  return prefix.native();
}

// A new name for a temporary file of target, in target's folder.
std::filesystem::path temporaryName(const std::filesystem::path &target) {
  thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, randomCharacters.size() - 1);
  NativeName name = temporaryPrefixFor(target);
  for (std::size_t i = 0; i < randomLength; ++i) {
    name.push_back(static_cast<NativeName::value_type>(randomCharacters[pick(generator)]));
  }
  return target.parent_path() / name;
}

} // namespace

std::optional<os::PrivateFile> createTemporaryFile(const std::filesystem::path &target) {
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (std::optional<os::PrivateFile> file = os::createPrivateFile(temporaryName(target))) {
      return file;
    }
    if (!os::nameTaken(os::lastError())) {
      break;
    }
  }
  return std::nullopt;
}

bool keepTemporaryFile(os::PrivateFile &file, const std::filesystem::path &target) {
  // Only a file that takes its name now can find it taken.
  for (int attempt = 1; !os::keepPrivateFile(file); ++attempt) {
    if (attempt == attempts || !os::nameTaken(os::lastError())) {
      return false;
    }
    file.name = temporaryName(target);
  }
  return true;
}

void discardTemporaryFile(const os::PrivateFile &file) {
  os::close(file.handle);
  if (file.named) {
    os::removeFile(file.name);
  }
}

void tidyAbandonedTemporaryFiles(const std::filesystem::path &target) {
  const NativeName prefix = temporaryPrefixFor(target);
  std::error_code ignored;
  for (const auto &entry : std::filesystem::directory_iterator(target.parent_path(), ignored)) {
    const NativeName name = entry.path().filename().native();
    // While the file is not there, a leftover may hold the only copy of its content. It is looked for
    // before each removal, as it may go meanwhile.
    if (name.starts_with(prefix) && name.size() == prefix.size() + randomLength && os::factsOf(target)) {
      os::removeIfAbandoned(entry.path());
    }
  }
}

} // namespace orvelin
