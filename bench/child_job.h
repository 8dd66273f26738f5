#pragma once

#include <string>

namespace orvelin::bench {

inline constexpr const char *benchPassword = "benchmark password";

struct JobRun {
  bool rewritten = false;
  double seconds = 0;
  long peakResidentKiB = 0;
};

// Runs one file job in a fresh process of this program, so its peak memory is the job's alone.
JobRun runJobInChild(const std::string &self, const std::string &direction, const std::string &path);

// The child's side: runs the job; the exit status says whether the file was rewritten.
int childJobMain(const std::string &direction, const std::string &path);

} // namespace orvelin::bench
