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

std::optional<NotAFile> notAFileAt(const std::filesystem::path &path) {
  const std::optional<struct stat> status = statusOf(path);
  if (!status) {
    return std::nullopt;
  }
  if (S_ISDIR(status->st_mode)) {
    return NotAFile::Folder;
  }
  if (S_ISFIFO(status->st_mode)) {
    return NotAFile::Fifo;
  }
  if (S_ISCHR(status->st_mode) || S_ISBLK(status->st_mode)) {
    return NotAFile::Device;
  }
  if (S_ISSOCK(status->st_mode)) {
    return NotAFile::Socket;
  }
  return std::nullopt;
}

} // namespace orvelin::cli
