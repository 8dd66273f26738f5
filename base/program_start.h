#pragma once
// What both programs do first thing in main, before anything holds a password.

namespace orvelin {

#ifdef _WIN32
// Keeps a crash of the program, and the passwords in its memory, away from Windows Error Reporting,
// which would otherwise save a dump of that memory for the user, a local administrator's collection
// or Microsoft.
void startProgram();
#else
// Starts the program again bound at load (eager_binding.h); then, in the run that goes on, switches
// core dumps off, since one would hold the passwords in its memory, and lets a write past the
// file-size limit (ulimit -f) fail with EFBIG, so that the job reports it, instead of SIGXFSZ ending
// the program without a word. What cannot be done is said on standard error, after the name.
void startProgram(char *argv[], const char *name);
#endif

} // namespace orvelin
