// What orvelin-cli sets up as it starts, seen from outside the built program.

#include "cli_fixture.h"
#include "cli_process.h"

#include <QDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace orvelin::testing {
namespace {

constexpr std::size_t mebibyte = std::size_t{1} << 20;

std::string procFile(pid_t program, const char *name) {
  std::ifstream file("/proc/" + std::to_string(program) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The soft and hard limits on a process's core dumps, as /proc shows them: "0 0", "unlimited unlimited".
std::string coreLimitsOf(pid_t program) {
  constexpr std::string_view field = "Max core file size";
  std::istringstream limits(procFile(program, "limits"));
  for (std::string line; std::getline(limits, line);) {
    if (line.starts_with(field)) {
      std::istringstream values(line.substr(field.size()));
      std::string soft;
      std::string hard;
      values >> soft >> hard;
      return soft + " " + hard;
    }
  }
  return {};
}

TEST_F(Cli, UnderAFileSizeLimitTheWriteFailsWithItsBoxAndTheNextFileIsDone) {
  const std::string content(2 * mebibyte, 'c');
  const QString large = put("large.bin", content);
  const QString small = put("small.txt", "small");
  const CliRun run = runCli({"encrypt", "--password-stdin", large, small}, "pw\n", {.fileSize = mebibyte});
  EXPECT_EQ(run.exitStatus, 1) << "ended by SIGXFSZ: " << run.err;
  EXPECT_EQ(
      run.err,
      (large + ": Cannot write \"" + large + "\": File too large. The file has not been changed.\n").toStdString());
  EXPECT_EQ(run.out, (small + ": File encryption complete!\n").toStdString());
  EXPECT_TRUE(contentOf(large) == content);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "a temporary file was left";
}

TEST_F(Cli, ASignalAtThePasswordPromptPutsTheEchoBackAndEndsTheProgramByIt) {
  const QString file = put("file.txt", "content");
  struct Ending {
    int signal;
    const char *name;
  };
  const Ending endings[] = {{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}, {SIGQUIT, "SIGQUIT"}};
  for (const Ending &each : endings) {
    SCOPED_TRACE(each.name);
    bool sent = false;
    // The echo goes off before the prompt shows, so the prompt is the moment to send it.
    const CliRun run = runCliOnTerminal({"encrypt", file}, {}, {}, [&](pid_t program, const std::string &shown) {
      if (!sent && shown.ends_with("Password: ")) {
        sent = ::kill(program, each.signal) == 0;
      }
    });
    ASSERT_TRUE(sent) << run.err;
    EXPECT_EQ(run.signal, each.signal) << run.err;
    EXPECT_TRUE(run.terminalEchoes) << "the terminal was left without echo";
    EXPECT_EQ(contentOf(file), "content");
  }
}

TEST_F(Cli, ACrashLeavesNoCoreDumpToReadThePasswordIn) {
  const QString file = put("file.txt", "content");
  const std::string folder = dir.path().toStdString();
  std::string coreLimits;
  bool sent = false;
  // At the confirmation, the first typing is in memory; SIGQUIT's default action dumps the core.
  const CliRun run = runCliOnTerminal(
      {"encrypt", file}, {"typed secret"}, {},
      [&](pid_t program, const std::string &shown) {
        if (!sent && shown.ends_with("Confirm password: ")) {
          coreLimits = coreLimitsOf(program);
          sent = ::kill(program, SIGQUIT) == 0;
        }
      },
      [&folder] {
        // As a user who allows core dumps (ulimit -c unlimited), in a folder one can be written to.
        rlimit core{};
        if (::getrlimit(RLIMIT_CORE, &core) != 0) {
          return false;
        }
        core.rlim_cur = core.rlim_max;
        return ::setrlimit(RLIMIT_CORE, &core) == 0 && ::chdir(folder.c_str()) == 0;
      });
  ASSERT_TRUE(sent) << run.err;
  EXPECT_EQ(run.signal, SIGQUIT) << run.err;
  EXPECT_FALSE(run.coreDumped);
  EXPECT_EQ(coreLimits, "0 0") << "core dumps are not switched off for good";
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"file.txt"});
}

TEST_F(Cli, StartedAgainBoundAtLoadItKeepsItsNameAndHandsNoLdBindNowOn) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "LeakSanitizer cannot run under ptrace, which holds the program at its exit";
#endif
  const QString file = put("file.txt", sealAndEncrypt("pw", "content", boxes));
  std::string name;
  std::string environment;
  const CliRun run = runCliOnTerminal({"decrypt", file}, {"pw"}, [&](pid_t program) {
    name = procFile(program, "comm");
    environment = procFile(program, "environ");
  });
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(name, "orvelin-cli\n");
  EXPECT_NE(environment.find("PATH="), std::string::npos) << "the environment was not read";
  EXPECT_EQ(environment.find("LD_BIND_NOW"), std::string::npos) << "what it starts would inherit it";
}

} // namespace
} // namespace orvelin::testing
