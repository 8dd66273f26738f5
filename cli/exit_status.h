#pragma once
// The statuses orvelin-cli ends with, besides 0 for every file rewritten and a stop's own (stop_request.h).

namespace orvelin::cli {

inline constexpr int someFileFailed = 1; // or no password to rewrite any with
inline constexpr int usageError = 2;     // the command line, or the password source it names

} // namespace orvelin::cli
