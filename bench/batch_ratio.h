#pragma once

#include <cstddef>
#include <string>

namespace orvelin::bench {

// orvelin-cli encrypting files of sizeMiB each, one call per file and then all in one call: the
// sum of the single calls' times over the batch's time (the cores' worth of speed-up it gets).
double batchRatio(const std::string &cli, std::size_t sizeMiB, std::size_t files);

} // namespace orvelin::bench
