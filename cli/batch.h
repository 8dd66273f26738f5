#pragma once
// Many files rewritten at once, on every core, their lines printed whole
// and in the order the files were named.

#include "jobs/file_jobs.h"
#include "progress_lines.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvelin::cli {

// One file's job: true when the file was rewritten. Its boxes go to messages, the file's lines.
using BatchJob =
    std::function<bool(const std::filesystem::path &path, MessageSink &messages, const JobProgress &progress)>;

struct BatchLimits {
  unsigned jobs; // at once
};

// As many jobs as cores: each needs only a few slices of memory.
BatchLimits machineLimits();

// What becomes of a file once its job is over.
struct FileOutcome {
  std::string file;
  std::vector<std::string> messages; // its boxes, each "<file>: <text>"
  bool rewritten = false;
  bool stopped = false; // the batch was stopped before the file was done: it is as it was
};

// Asked before each job starts and as each one runs: true once the batch is to stop.
using StopQuery = std::function<bool()>;

// Runs the job on every file, several at once within limits; a file named twice (under any name)
// waits for its earlier job to end. finished is called on the calling thread for each file in the
// order of files. Given progress lines, the jobs running longer than about half a second show
// their progress there, and the lines are taken away before each call to finished. Once stop says
// so, no job starts and each running one is cancelled at its next step of progress; a job that has
// got as far as putting its result in place ends as usual. Every file is still passed to finished.
void runBatch(const std::vector<std::string> &files, const BatchJob &job, const BatchLimits &limits,
              const std::function<void(const FileOutcome &)> &finished, ProgressLines *progress, const StopQuery &stop);

} // namespace orvelin::cli
