#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace orvelin::bench {

// The same pseudo-random bytes on every run, so that runs compare.
std::string generatedBytes(std::size_t length);

// A user's file is on disk before a job starts: the write-back of a freshly generated one must not
// be charged to the job that follows.
void writeToDisk(const std::filesystem::path &path, const std::string &bytes);

} // namespace orvelin::bench
