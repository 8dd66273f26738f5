#include "cli_process.h"

#include <QProcess>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <poll.h>
#include <pty.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace orvelin::testing {
namespace {

// Guards the test run against a program that never finishes; not a measure of speed.
constexpr int patienceMilliseconds = 60000;
constexpr int watchEveryMilliseconds = 10;
// How a process that could not start the program ends, as a shell's own "cannot execute".
constexpr int notStarted = 126;

std::vector<std::string> commandLine(const QStringList &arguments) {
  std::vector<std::string> words{cliPath()};
  for (const QString &argument : arguments) {
    words.push_back(argument.toStdString());
  }
  return words;
}

// The flags and signals ptrace takes where it takes an address.
void *ptraceData(int value) { return reinterpret_cast<void *>(static_cast<std::uintptr_t>(value)); }

// Lets a traced program run on to its exit and shows it to `look` there, before its memory goes.
void holdAtExit(pid_t child, const std::function<void(pid_t)> &look) {
  int status = 0;
  while (::waitpid(child, &status, 0) == child && WIFSTOPPED(status)) {
    if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
      look(child);
      ::ptrace(PTRACE_DETACH, child, nullptr, nullptr);
      return;
    }
    ::ptrace(PTRACE_CONT, child, nullptr, ptraceData(WSTOPSIG(status))); // a signal on its way to the program
  }
}

// Sets a resource's limit in the program's process, if one is given.
bool limited(int resource, std::optional<std::size_t> bytes) {
  const rlimit limit{bytes.value_or(0), bytes.value_or(0)};
  return !bytes || ::setrlimit(resource, &limit) == 0;
}

} // namespace

const char *cliPath() { return ORVELIN_CLI_PATH; }

CliRun runCli(const QStringList &arguments, const QByteArray &standardInput, const CliSetup &setup) {
  QProcess process;
  process.setChildProcessModifier([&setup] {
    if (::setsid() < 0 || !limited(RLIMIT_AS, setup.addressSpace) || !limited(RLIMIT_FSIZE, setup.fileSize)) {
      ::_exit(notStarted);
    }
  });
  if (!setup.standardOutput.isEmpty()) {
    process.setStandardOutputFile(setup.standardOutput);
  }
  process.start(QStringLiteral(ORVELIN_CLI_PATH), arguments);
  process.write(standardInput);
  process.closeWriteChannel();
  if (!process.waitForFinished(patienceMilliseconds)) {
    process.kill();
    process.waitForFinished();
    return {};
  }
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, 0,
          process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

CliRun runCliOnTerminal(const QStringList &arguments, const std::vector<std::string> &answers,
                        const std::function<void(pid_t)> &atExit, const CliWatch &watch,
                        const CliPreparation &prepare) {
  return runOnTerminal(commandLine(arguments), answers, atExit, watch, prepare);
}

CliRun runOnTerminal(const std::vector<std::string> &words, const std::vector<std::string> &answers,
                     const std::function<void(pid_t)> &atExit, const CliWatch &watch, const CliPreparation &prepare) {
  int terminal = -1;
  const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child == 0) {
    std::vector<char *> argv;
    argv.reserve(words.size() + 1);
    for (const std::string &word : words) {
      argv.push_back(const_cast<char *>(word.c_str()));
    }
    argv.push_back(nullptr);
    if (prepare && !prepare()) {
      ::_exit(notStarted);
    }
    if (atExit) {
      ::unsetenv("LD_BIND_NOW"); // so that it starts itself again, as a user's shell starts it
      ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  CliRun run;
  if (child < 0) {
    return run;
  }
  if (atExit) {
    // Traced, the program stops as it starts and as it starts itself again, bound at load; from
    // there on, it stops again only at its exit.
    int status = 0;
    ::waitpid(child, &status, 0);
    ::ptrace(PTRACE_SETOPTIONS, child, nullptr,
             ptraceData(PTRACE_O_TRACEEXIT | PTRACE_O_TRACEEXEC | PTRACE_O_EXITKILL));
    ::ptrace(PTRACE_CONT, child, nullptr, nullptr);
    ::waitpid(child, &status, 0);
    ::ptrace(PTRACE_CONT, child, nullptr, nullptr);
  }
  std::size_t answered = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMilliseconds);
  for (;;) {
    pollfd readable{terminal, POLLIN, 0};
    const int ready = ::poll(&readable, 1, watch ? watchEveryMilliseconds : patienceMilliseconds);
    if (ready < 0 || std::chrono::steady_clock::now() > deadline || (ready == 0 && !watch)) {
      ::kill(child, SIGKILL);
      break;
    }
    if (ready == 0) {
      watch(child, run.err);
      continue;
    }
    char buffer[512];
    const ssize_t got = ::read(terminal, buffer, sizeof buffer);
    if (got <= 0) {
      break; // the program closed the terminal
    }
    run.err.append(buffer, static_cast<std::size_t>(got));
    if (watch) {
      watch(child, run.err);
    }
    if (answered < answers.size() && run.err.ends_with(": ")) {
      const std::string line = answers[answered++] + "\n";
      [[maybe_unused]] const ssize_t typed = ::write(terminal, line.data(), line.size());
      if (atExit && answered == answers.size()) {
        holdAtExit(child, atExit);
      }
    }
  }
  int status = 0;
  const bool ended = ::waitpid(child, &status, 0) == child;
  // The terminal keeps the mode its last program left it in while this side is open.
  termios mode{};
  run.terminalEchoes = ::tcgetattr(terminal, &mode) == 0 && (mode.c_lflag & ECHO) != 0;
  ::close(terminal);
  if (ended && WIFEXITED(status)) {
    run.exitStatus = WEXITSTATUS(status);
  } else if (ended && WIFSIGNALED(status)) {
    run.signal = WTERMSIG(status);
    run.exitStatus = 128 + run.signal;
    run.coreDumped = WCOREDUMP(status);
  }
  return run;
}

} // namespace orvelin::testing
