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
NativeName temporaryPrefixFor(const os::Place &place) {
  std::filesystem::path prefix = ".";
  prefix += place.name.native().substr(0, longestNameStem);
  prefix += ".orvelin-";
  return prefix.native();
}

// A new name for a temporary file of the file at place, in its folder.
std::filesystem::path temporaryName(const os::Place &place) {
  thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, randomCharacters.size() - 1);
  NativeName name = temporaryPrefixFor(place);
  for (std::size_t i = 0; i < randomLength; ++i) {
    name.push_back(static_cast<NativeName::value_type>(randomCharacters[pick(generator)]));
  }
  return name;
}

} // namespace

std::optional<os::PrivateFile> createTemporaryFile(const os::Place &place) {
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (std::optional<os::PrivateFile> file = os::createPrivateFile(place, temporaryName(place))) {
      return file;
    }
    if (!os::nameTaken(os::lastError())) {
      break;
    }
  }
  return std::nullopt;
}

bool keepTemporaryFile(const os::Place &place, os::PrivateFile &file) {
  // Only a file that takes its name now can find it taken.
  for (int attempt = 1; !os::keepPrivateFile(place, file); ++attempt) {
    if (attempt == attempts || !os::nameTaken(os::lastError())) {
      return false;
    }
    file.name = temporaryName(place);
  }
  return true;
}

void discardTemporaryFile(const os::Place &place, const os::PrivateFile &file) {
  os::close(file.handle);
  if (file.named) {
    os::removeFile(place, file.name);
  }
}

void tidyAbandonedTemporaryFiles(const os::Place &place) {
  const NativeName prefix = temporaryPrefixFor(place);
  std::error_code ignored;
  for (const auto &entry : std::filesystem::directory_iterator(place.folderPath, ignored)) {
    const NativeName name = entry.path().filename().native();
    // While the file is not there, a leftover may hold the only copy of its content. It is looked for
    // before each removal, as it may go meanwhile.
    if (name.starts_with(prefix) && name.size() == prefix.size() + randomLength && os::stampAt(place)) {
      os::removeIfAbandoned(place, name);
    }
  }
}

} // namespace orvelin
