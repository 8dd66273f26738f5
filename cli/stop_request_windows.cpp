#include "stop_request.h"

#include "base/windows_api.h"

namespace orvelin::cli {
namespace {

// A console program that Ctrl-C or Ctrl-Break ends exits with STATUS_CONTROL_C_EXIT: the same
// status tells the caller the program was stopped at the console.
constexpr int controlCExit = static_cast<int>(0xC000013AUL);
constexpr StopCause controlC{"Ctrl-C", controlCExit, 0};
constexpr StopCause controlBreak{"Ctrl-Break", controlCExit, 0};

// Runs on a thread of its own that the system starts. Closing the console, logging off and shutting
// down are left to the next handler: the system ends the program after them anyway.
// A second Ctrl-C or Ctrl-Break goes on to the system's own handler, which ends the program at once.
BOOL WINAPI noteControlEvent(DWORD event) {
  switch (event) {
  case CTRL_C_EVENT:
    return requestStop(controlC) ? TRUE : FALSE;
  case CTRL_BREAK_EVENT:
    return requestStop(controlBreak) ? TRUE : FALSE;
  default:
    return FALSE;
  }
}

} // namespace

StopHandlers::StopHandlers() { SetConsoleCtrlHandler(noteControlEvent, TRUE); }

StopHandlers::~StopHandlers() { SetConsoleCtrlHandler(noteControlEvent, FALSE); }

} // namespace orvelin::cli
