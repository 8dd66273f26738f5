#include "cli_process.h"

#include <QProcess>

#include <cerrno>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvelin::testing {
namespace {

// Guards the test run against a program that never finishes; not a measure of speed.
constexpr int patienceMilliseconds = 60000;

std::vector<std::string> commandLine(const QStringList &arguments) {
  std::vector<std::string> words{ORVELIN_CLI_PATH};
  for (const QString &argument : arguments) {
    words.push_back(argument.toStdString());
  }
  return words;
}

} // namespace

CliRun runCli(const QStringList &arguments, const QByteArray &standardInput, std::optional<std::size_t> addressSpace) {
  QProcess process;
  process.setChildProcessModifier([addressSpace] {
    ::setsid();
    if (addressSpace) {
      const rlimit limit{*addressSpace, *addressSpace};
      ::setrlimit(RLIMIT_AS, &limit);
    }
  });
  process.start(QStringLiteral(ORVELIN_CLI_PATH), arguments);
  process.write(standardInput);
  process.closeWriteChannel();
  if (!process.waitForFinished(patienceMilliseconds)) {
    process.kill();
    process.waitForFinished();
    return {};
  }
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

CliRun runCliOnTerminal(const QStringList &arguments, const std::vector<std::string> &answers) {
  const std::vector<std::string> words = commandLine(arguments);
  int terminal = -1;
  const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child == 0) {
    std::vector<char *> argv;
    argv.reserve(words.size() + 1);
    for (const std::string &word : words) {
      argv.push_back(const_cast<char *>(word.c_str()));
    }
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  CliRun run;
  if (child < 0) {
    return run;
  }
  std::size_t answered = 0;
  for (;;) {
    pollfd readable{terminal, POLLIN, 0};
    if (::poll(&readable, 1, patienceMilliseconds) <= 0) {
      ::kill(child, SIGKILL);
      break;
    }
    char buffer[512];
    const ssize_t got = ::read(terminal, buffer, sizeof buffer);
    if (got <= 0) {
      break; // the program closed the terminal
    }
    run.err.append(buffer, static_cast<std::size_t>(got));
    if (answered < answers.size() && run.err.ends_with(": ")) {
      const std::string line = answers[answered++] + "\n";
      [[maybe_unused]] const ssize_t typed = ::write(terminal, line.data(), line.size());
    }
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(terminal);
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

} // namespace orvelin::testing
