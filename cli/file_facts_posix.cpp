#include "file_facts.h"

#include <sys/stat.h>

namespace orvelin::cli {
namespace {

std::optional<struct stat> statusOf(const std::filesystem::path &file) {
  struct stat status {};
  return ::stat(file.c_str(), &status) == 0 ? std::optional(status) : std::nullopt;
}

} // namespace

std::uint64_t namesOf(const std::filesystem::path &file) {
  const std::optional<struct stat> status = statusOf(file);
  return status ? status->st_nlink : 1;
}

std::optional<FileIdentity> identityOf(const std::filesystem::path &file) {
  const std::optional<struct stat> status = statusOf(file);
  return status ? std::optional(FileIdentity{status->st_dev, status->st_ino}) : std::nullopt;
}

} // namespace orvelin::cli
