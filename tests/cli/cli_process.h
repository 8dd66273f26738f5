#pragma once
// Runs the built orvelin-cli as a user would: with arguments and standard input, or on a
// pseudo-terminal that answers its prompts.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace orvelin::testing {

struct CliRun {
  int exitStatus = -1; // as a shell shows it: 128 and the signal's number for a program a signal ended
  int signal = 0;      // the signal that ended it, if one did
  std::string out;
  std::string err;             // on a terminal, everything the program wrote to it
  bool coreDumped = false;     // the signal that ended it left a core dump
  bool terminalEchoes = false; // on a terminal: it echoes what is typed once the program has ended
};

// How runCli starts the program, besides its arguments and standard input.
struct CliSetup {
  std::optional<std::size_t> addressSpace{}; // a limit on the bytes of address space it may map
  std::optional<std::size_t> fileSize{};     // a limit on the bytes of any file it writes (ulimit -f)
  QString standardOutput{};                  // a file its standard output goes to, instead of CliRun::out
};

// The built program's path.
const char *cliPath();

// Without a controlling terminal, so the program cannot ask for a password.
CliRun runCli(const QStringList &arguments, const QByteArray &standardInput = {}, const CliSetup &setup = {});

// What a test does while the program runs, given its process id and everything it has written so far.
using CliWatch = std::function<void(pid_t program, const std::string &shown)>;

// Runs in the program's own process before the program starts there; false ends that process (126).
using CliPreparation = std::function<bool()>;

// On a new pseudo-terminal: each time the program's output ends in a prompt, the next answer is typed.
// Given atExit, the program, once every answer is typed, is held as it exits, its memory still in
// place, and atExit is called with its process id. Given watch, it is called each time the program
// writes and every few milliseconds in between. Given prepare, it runs before the program starts.
CliRun runCliOnTerminal(const QStringList &arguments, const std::vector<std::string> &answers,
                        const std::function<void(pid_t)> &atExit = {}, const CliWatch &watch = {},
                        const CliPreparation &prepare = {});

// Any program, from its path on, as runCliOnTerminal runs orvelin-cli: it leads the terminal's
// session, so that its process group is the one a Ctrl-C there signals.
CliRun runOnTerminal(const std::vector<std::string> &words, const std::vector<std::string> &answers,
                     const std::function<void(pid_t)> &atExit = {}, const CliWatch &watch = {},
                     const CliPreparation &prepare = {});

} // namespace orvelin::testing
