#pragma once
// Ctrl-C and the system's other requests that orvelin-cli stop, taken while its batch runs so that
// the jobs can end with every file whole. Installing the handlers is per platform:
// stop_request_posix.cpp (SIGINT, SIGTERM) and stop_request_windows.cpp (the console's Ctrl-C and
// Ctrl-Break).

#include "jobs/file_error.h"
#include "jobs/job_texts.h"

#include <cstddef>
#include <string>

namespace orvelin::cli {

// A kind of request: its name, as the program's last line names it, the status to end with, and the
// signal that makes it (POSIX; 0 for the console's events on Windows).
struct StopCause {
  const char *name;
  int exitStatus;
  int signal;
};

// While one lives, a request to stop no longer ends the program: the first is recorded for
// stopRequested, and the jobs stop at their next slice with every file whole. A second one ends the
// program at once, as if no handler had caught it, for a read that may never return (a network or
// FUSE file system): the files are whole then too, and a named temporary file left by the instant
// before a rename is tidied by the next job on its file. A request the program was started to
// ignore stays ignored.
class StopHandlers {
public:
  StopHandlers();
  StopHandlers(const StopHandlers &) = delete;
  StopHandlers &operator=(const StopHandlers &) = delete;
  ~StopHandlers();
};

// The first request made while handlers lived, or null; from any thread.
const StopCause *stopRequested();

// Records a request unless one came before, and says whether it did; from a signal handler too.
bool requestStop(const StopCause &cause);

#ifndef _WIN32
// Once the program has cleaned up and said everything, ends it as the request would have had nothing
// caught it: by the signal itself, its default action restored, so that a calling shell sees the
// signal and stops its own loop. Returns where the signal cannot be raised. (On Windows the status
// the program ends with already says so.)
void endAsRequested(const StopCause &cause);
#endif

// "encrypted" or "decrypted", as a job's action ("encrypt") says.
inline std::string doneTo(const JobTexts &texts) { return std::string(texts.action) + "ed"; }

// What the line of a file the stop left undone says after "<file>: ".
inline std::string notDoneText(const JobTexts &texts) {
  return "Stopped before the file was " + doneTo(texts) + ". " + fileUnchanged;
}

// The program's last line after a stop.
inline std::string stoppedText(const StopCause &cause, const JobTexts &texts, std::size_t notDone, std::size_t files) {
  return std::string("orvelin-cli: stopped by ") + cause.name + ": " + std::to_string(notDone) + " of " +
         std::to_string(files) + " files not " + doneTo(texts) + ", each left as it was";
}

} // namespace orvelin::cli
