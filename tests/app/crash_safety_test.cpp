// A job killed at any moment (SIGKILL: no handler, no clean-up) leaves the path holding either the
// whole old content or the whole new one, never a mix; what it leaves beside the file is hidden,
// and the next job on that file tidies it away.

#include "app/file_jobs.h"
#include "file_system_faults.h"
#include "job_folder.h"
#include "tests/crypto/engine_runs.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvelin::testing {
namespace {

class CrashSafety : public JobFolder {
protected:
  void SetUp() override {
    original = randomBytes(std::size_t{3} << 20);
    encrypted = sealAndEncrypt("pw", original, boxes);
  }

  // Runs the encryption job in a child process, which whatever `prepare` sets up ends early.
  template <typename Prepare> pid_t startEncryption(const std::filesystem::path &path, Prepare prepare) {
    const pid_t child = ::fork();
    if (child == 0) {
      prepare();
      ::_exit(EncryptFile(path, u"pw", boxes) ? 0 : 1);
    }
    return child;
  }

  // The state a killed job left: a whole content at the path, nothing visible beside it, and after
  // the next job on the file, nothing at all beside it.
  void expectWholeAndTidied(const std::filesystem::path &path) {
    const std::string left = contentOf(path);
    const bool old = left == original;
    EXPECT_TRUE(old || left == encrypted) << "a mix of old and new content";
    for (const std::string &entry : entries()) {
      EXPECT_TRUE(entry == "file.bin" || entry.starts_with('.')) << entry;
    }
    ASSERT_TRUE(old ? EncryptFile(path, u"pw", boxes) : DecryptFile(path, u"pw", boxes));
    EXPECT_EQ(contentOf(path), old ? encrypted : original);
    EXPECT_EQ(entries(), std::vector<std::string>{"file.bin"});
  }

  std::string original;
  std::string encrypted;
};

bool killedBySignal(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

TEST_F(CrashSafety, AKillAtEveryFileSystemCallOfAJob) {
  std::vector<FileCall> calls;
  {
    const std::filesystem::path path = put("file.bin", original);
    const FileSystemFaults watched;
    ASSERT_TRUE(EncryptFile(path, u"pw", boxes));
    calls = watched.log();
  }
  std::map<FileCall, int> occurrences;
  for (const FileCall call : calls) {
    const int occurrence = ++occurrences[call];
    SCOPED_TRACE("killed at call " + std::to_string(static_cast<int>(call)) + " #" + std::to_string(occurrence));
    const std::filesystem::path path = put("file.bin", original);
    const pid_t child = startEncryption(path, [&] {
      static FileSystemFaults faults;
      faults.fail(call, FileSystemFaults::killProcess, occurrence);
    });
    ASSERT_TRUE(killedBySignal(child));
    expectWholeAndTidied(path);
  }
  EXPECT_GE(calls.size(), 15U) << "a whole job makes this many file-system calls, each a point to die at";
}

TEST_F(CrashSafety, AKillAtAnyMomentOfAJob) {
  // How long a whole job takes here, only to spread the kills across it.
  const std::filesystem::path path = put("file.bin", original);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_FALSE(killedBySignal(startEncryption(path, [] {})));
  const auto whole = std::chrono::steady_clock::now() - start;

  constexpr int moments = 20;
  for (int moment = 0; moment < moments; ++moment) {
    SCOPED_TRACE(moment);
    put("file.bin", original);
    const pid_t child = startEncryption(path, [] {});
    std::this_thread::sleep_for(whole * moment / moments);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    expectWholeAndTidied(path);
  }
}

} // namespace
} // namespace orvelin::testing
