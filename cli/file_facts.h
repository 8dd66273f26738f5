#pragma once
// What orvelin-cli asks the system about a file it is named, one implementation per platform:
// file_facts_posix.cpp and file_facts_windows.cpp.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace orvelin::cli {

// How many names (hard links) the file a path leads to has; 1 when the system does not say.
std::uint64_t namesOf(const std::filesystem::path &file);

// What tells a file from every other under any of its names: its device and inode, on Windows its
// volume's serial number and its file index.
struct FileIdentity {
  std::uint64_t volume;
  std::uint64_t file;
  bool operator==(const FileIdentity &) const = default;
};

// Of the file a path leads to, through symbolic links; none when nothing is there.
std::optional<FileIdentity> identityOf(const std::filesystem::path &file);

enum class NotAFile { Folder, Fifo, Device, Socket };

// What a path leads to, through symbolic links, when it is there and is no file.
std::optional<NotAFile> notAFileAt(const std::filesystem::path &path);

} // namespace orvelin::cli
