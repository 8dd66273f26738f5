#pragma once

#include <filesystem>
#include <string>

namespace orvelin::bench {

struct ColdEncryption {
  double job;      // the encryption job, in a process of its own (self), as in the jobs' rounds
  double pipeline; // the openssl pipeline of cliOpensslRatio, from the file to a file of its own
};

// Both encrypting file, whose content is plain, with none of the file in the system's cache before
// each run: the medians of their seconds over that many runs each. Throws when either fails.
ColdEncryption coldEncryptionSeconds(const std::string &self, const std::filesystem::path &file,
                                     const std::string &plain, int runs);

} // namespace orvelin::bench
