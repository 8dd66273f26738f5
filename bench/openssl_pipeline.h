#pragma once

#include <filesystem>
#include <string>

namespace orvelin::bench {

// A shell pipeline of openssl commands that writes the very bytes orvelin-cli writes when it
// encrypts the same file with the same password, then syncs them: the median of runs of each, as
// whole processes, the pipeline's time over orvelin-cli's (above 1, orvelin-cli is faster).
double cliOpensslRatio(const std::string &cli, const std::string &plain, int runs);

// The pipeline's key for benchPassword, in hex: the 5-byte RC2 key with the same schedule, at 40
// effective bits, as the service's 16-byte key.
std::string pipelineKey();

// Seconds for the pipeline, as one whole process, to write to out what orvelin-cli writes when it
// encrypts in with benchPassword, and to sync it; key is pipelineKey().
double pipelineSeconds(const std::filesystem::path &in, const std::filesystem::path &out, const std::string &key);

} // namespace orvelin::bench
