#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orvelin::bench {

// Seconds for one whole process, started from words (the program's path first), which must succeed;
// else throws, saying what failed.
double processSeconds(std::vector<std::string> words, const std::string &failure);

// Seconds for one orvelin-cli call (encrypt or decrypt) on these files, which must all be rewritten;
// the password is read from passwordFile.
double cliSeconds(const std::string &cli, const char *command, const std::filesystem::path &passwordFile,
                  const std::vector<std::filesystem::path> &files);

} // namespace orvelin::bench
