#include "stop_request.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <iostream>

namespace orvelin::cli {
namespace {

// The status a shell reports for a program its signal ended: 128 and the signal's number.
constexpr StopCause interrupt{"SIGINT", 128 + SIGINT, SIGINT};
constexpr StopCause termination{"SIGTERM", 128 + SIGTERM, SIGTERM};

struct Handled {
  int signal;
  const StopCause &cause;
};
constexpr std::array<Handled, 2> handled{{{SIGINT, interrupt}, {SIGTERM, termination}}};

// The actions in place before, put back afterwards.
std::array<struct sigaction, handled.size()> previous{};

// Ends the program by the signal, its default action restored; only what a signal handler may call.
void raiseByDefault(int signal) {
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  ::sigemptyset(&byDefault.sa_mask);
  sigset_t only{};
  ::sigemptyset(&only);
  ::sigaddset(&only, signal);
  if (::sigaction(signal, &byDefault, nullptr) == 0 && ::sigprocmask(SIG_UNBLOCK, &only, nullptr) == 0) {
    (void)::raise(signal);
  }
}

void noteSignal(int signal) {
  for (const Handled &each : handled) {
    if (each.signal == signal && !requestStop(each.cause)) {
      raiseByDefault(signal);
    }
  }
}

} // namespace

StopHandlers::StopHandlers() {
  for (std::size_t i = 0; i < handled.size(); ++i) {
    ::sigaction(handled[i].signal, nullptr, &previous[i]);
    if (previous[i].sa_handler == SIG_IGN) {
      continue; // started in the background, or under nohup: the user wants it to run on
    }
    struct sigaction action {};
    action.sa_handler = noteSignal;
    ::sigemptyset(&action.sa_mask);
    // A read or write the signal interrupts goes on instead of failing the job with EINTR.
    action.sa_flags = SA_RESTART;
    ::sigaction(handled[i].signal, &action, nullptr);
  }
}

StopHandlers::~StopHandlers() {
  for (std::size_t i = 0; i < handled.size(); ++i) {
    ::sigaction(handled[i].signal, &previous[i], nullptr);
  }
}

void endAsRequested(const StopCause &cause) {
  std::cout.flush();
  std::cerr.flush();
  (void)std::fflush(nullptr);
  raiseByDefault(cause.signal);
}

} // namespace orvelin::cli
