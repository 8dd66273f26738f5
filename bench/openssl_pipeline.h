#pragma once

#include <cstddef>
#include <string>

namespace orvelin::bench {

// A shell pipeline of openssl commands that writes the very bytes orvelin-cli writes when it
// encrypts the same file with the same password, then syncs them: the median of runs of each, as
// whole processes, the pipeline's time over orvelin-cli's (above 1, orvelin-cli is faster).
double cliOpensslRatio(const std::string &cli, const std::string &plain, int runs);

} // namespace orvelin::bench
