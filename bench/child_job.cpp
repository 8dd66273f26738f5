#include "child_job.h"

#include "base/standard_error_messages.h"
#include "jobs/file_jobs.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace orvelin::bench {
namespace {

// The high-water mark of this process's own memory image. (wait4's ru_maxrss would also count the
// image of the parent that spawned it.)
long peakResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string field; status >> field;) {
    if (field == "VmHWM:") {
      long kib = 0;
      status >> kib;
      return kib;
    }
  }
  return 0;
}

std::string readAll(int handle) {
  std::string text;
  char buffer[256];
  for (ssize_t got = 0; (got = ::read(handle, buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text;
}

} // namespace

JobRun runJobInChild(const std::string &self, const std::string &direction, const std::string &path) {
  std::string mode = "--child";
  std::vector<char *> argv{const_cast<char *>(self.c_str()), mode.data(), const_cast<char *>(direction.c_str()),
                           const_cast<char *>(path.c_str()), nullptr};
  int report[2];
  if (::pipe(report) != 0) {
    return {};
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, report[1], STDOUT_FILENO);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const bool spawned = ::posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  ::close(report[1]);
  const std::string peak = spawned ? readAll(report[0]) : std::string();
  ::close(report[0]);
  int status = 0;
  if (!spawned || ::waitpid(child, &status, 0) != child) {
    return {};
  }
  return {WIFEXITED(status) && WEXITSTATUS(status) == 0,
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
          peak.empty() ? 0 : std::stol(peak)};
}

int childJobMain(const std::string &direction, const std::string &path) {
  StandardErrorMessages messages;
  const std::string_view typed = benchPassword;
  const std::u16string password(typed.begin(), typed.end()); // ASCII, so each byte is its character
  const bool rewritten =
      direction == "encrypt" ? EncryptFile(path, password, messages) : DecryptFile(path, password, messages);
  std::cout << peakResidentKiB() << std::endl;
  return rewritten ? 0 : 1;
}

} // namespace orvelin::bench
