#include "echo_off_posix.h"

#include <array>
#include <csignal>
#include <cstddef>
#include <termios.h>

namespace orvelin::cli {
namespace {

// Those whose default action ends a program at its prompt: Ctrl-C, Ctrl-\, a closed terminal, kill.
constexpr std::array endingSignals{SIGINT, SIGQUIT, SIGHUP, SIGTERM};

// What the handler needs, set before it is put in place.
int silenced = -1;
termios echoing{};
std::array<struct sigaction, endingSignals.size()> previous{};
std::array<bool, endingSignals.size()> replaced{};

// The mode put back, then the signal raised again with its default action: blocked while its
// handler runs, it ends the program as it would have as soon as the handler returns. Nothing in a
// handler can make up for a call that fails, and the program ends either way.
void restoreAndEnd(int signal) {
  (void)::tcsetattr(silenced, TCSANOW, &echoing);
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  (void)::sigemptyset(&byDefault.sa_mask);
  (void)::sigaction(signal, &byDefault, nullptr);
  (void)::raise(signal);
}

} // namespace

EchoOff::EchoOff(int terminal) {
  if (::tcgetattr(terminal, &echoing) != 0) {
    return;
  }
  silenced = terminal;
  for (std::size_t i = 0; i < endingSignals.size(); ++i) {
    // One the program was started to ignore (nohup, a background job) stays ignored.
    if (::sigaction(endingSignals.at(i), nullptr, &previous.at(i)) != 0 || previous.at(i).sa_handler == SIG_IGN) {
      continue;
    }
    struct sigaction action {};
    action.sa_handler = restoreAndEnd;
    replaced.at(i) = ::sigemptyset(&action.sa_mask) == 0 && ::sigaction(endingSignals.at(i), &action, nullptr) == 0;
  }
  termios silent = echoing;
  silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  off_ = ::tcsetattr(terminal, TCSANOW, &silent) == 0;
}

EchoOff::~EchoOff() {
  // A terminal that refuses its own mode back has nothing more to be tried on it.
  if (off_) {
    (void)::tcsetattr(silenced, TCSANOW, &echoing);
  }
  for (std::size_t i = 0; i < endingSignals.size(); ++i) {
    // Should one stay, a later signal still ends the program as it would have, with the echo on.
    if (replaced.at(i) && ::sigaction(endingSignals.at(i), &previous.at(i), nullptr) == 0) {
      replaced.at(i) = false;
    }
  }
}

} // namespace orvelin::cli
