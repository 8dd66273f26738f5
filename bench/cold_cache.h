#pragma once

#include <filesystem>

namespace orvelin::bench {

// Puts what the system still holds to write of the file on the disk, then drops all its pages from
// the system's cache, so that the next read of it comes from the disk, as for a file that no one has
// touched for a while. Throws when it cannot.
void dropFromCache(const std::filesystem::path &path);

} // namespace orvelin::bench
