#pragma once

#include <string>

namespace orvelin::bench {

// What the hardware and OpenSSL allow, single-threaded: MD5 and then RC2-CBC (40 effective key
// bits, as the format uses) over the bytes, in memory. Returns the seconds taken.
double baselineSeconds(const std::string &bytes);

} // namespace orvelin::bench
