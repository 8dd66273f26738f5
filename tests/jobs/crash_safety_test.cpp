// A job killed at any moment (SIGKILL: no handler, no clean-up) leaves the path holding either the
// whole old content or the whole new one, never a mix; beside it at most the one temporary file
// that has a name for the last step, hidden, which the next job on that file tidies away.

#include "file_system_faults.h"
#include "job_folder.h"
#include "jobs/file_jobs.h"
#include "tests/crypto/engine_runs.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvelin::testing {
namespace {

const std::string fileName = "file.bin";

// How the temporary file comes to its name: linked from an unnamed one at the last step, or, where
// the file system has no unnamed files, at its creation (the first three openings are of the folder,
// the file read and the unnamed file refused).
struct Naming {
  const char *way;
  std::vector<Fault> faults; // what makes the job name its file so
  FileCall namedBy;
  int occurrence;
};
const Naming namings[] = {
    {"unnamed until linked", {}, FileCall::Linkat, 1},
    {"named at its creation", {{FileCall::Openat, 3, EOPNOTSUPP}}, FileCall::Openat, 4},
};

class CrashSafety : public JobFolder {
protected:
  void SetUp() override {
    original = randomBytes(std::size_t{3} << 20);
    encrypted = sealAndEncrypt("pw", original, boxes);
  }

  [[nodiscard]] const std::string &before(bool encrypting) const { return encrypting ? original : encrypted; }
  [[nodiscard]] const std::string &after(bool encrypting) const { return encrypting ? encrypted : original; }

  static bool runJob(bool encrypting, const std::filesystem::path &path) {
    MessageRecorder messages;
    return encrypting ? EncryptFile(path, u"pw", messages) : DecryptFile(path, u"pw", messages);
  }

  // Runs the job in a child process, which whatever `prepare` sets up ends early.
  template <typename Prepare>
  static pid_t startJob(bool encrypting, const std::filesystem::path &path, Prepare prepare) {
    const pid_t child = ::fork();
    if (child == 0) {
      prepare();
      ::_exit(runJob(encrypting, path) ? 0 : 1);
    }
    return child;
  }

  // The temporary files beside the path.
  [[nodiscard]] std::size_t leftOvers() const {
    const std::vector<std::string> names = entries();
    return static_cast<std::size_t>(std::count_if(names.begin(), names.end(), [](const std::string &name) {
      EXPECT_TRUE(name == fileName || name.starts_with("." + fileName + ".orvelin-")) << name;
      return name != fileName;
    }));
  }

  // The path a killed job left holds a whole content, and after the next job on the file, nothing at
  // all is beside it.
  void expectWholeAndTidied(bool encrypting, const std::filesystem::path &path) {
    const std::string content = contentOf(path);
    const bool old = content == before(encrypting);
    EXPECT_TRUE(old || content == after(encrypting)) << "a mix of old and new content";
    ASSERT_TRUE(runJob(old == encrypting, path));
    EXPECT_EQ(contentOf(path), old ? after(encrypting) : before(encrypting));
    EXPECT_EQ(entries(), std::vector<std::string>{fileName});
  }

  std::string original;
  std::string encrypted;
};

bool killedBySignal(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// Where the first occurrence of each call falls in the log.
std::size_t indexOf(const std::vector<FileCall> &calls, FileCall call, int occurrence) {
  std::size_t at = 0;
  for (int seen = 0; at < calls.size(); ++at) {
    if (calls[at] == call && ++seen == occurrence) {
      break;
    }
  }
  return at;
}

TEST_F(CrashSafety, AKillAtEveryFileSystemCallOfEitherJob) {
  for (const bool encrypting : {true, false}) {
    for (const Naming &naming : namings) {
      SCOPED_TRACE(std::string(encrypting ? "encryption, " : "decryption, ") + naming.way);
      const auto planned = [&](FileSystemFaults &faults) {
        for (const Fault &fault : naming.faults) {
          faults.fail(fault.call, fault.error, fault.occurrence);
        }
      };
      std::vector<FileCall> calls;
      {
        const std::filesystem::path path = put(fileName, before(encrypting));
        FileSystemFaults watched;
        planned(watched);
        ASSERT_TRUE(runJob(encrypting, path));
        calls = watched.log();
      }
      // A temporary name is taken from just after the call that gives it one until the old content,
      // exchanged onto it, has been removed.
      const std::size_t named = indexOf(calls, naming.namedBy, naming.occurrence);
      const std::size_t renamed = indexOf(calls, FileCall::Unlinkat, 1);
      ASSERT_LT(named, renamed);
      std::map<FileCall, int> occurrences;
      for (std::size_t at = 0; at < calls.size(); ++at) {
        const FileCall call = calls[at];
        const int occurrence = ++occurrences[call];
        SCOPED_TRACE("killed at call " + std::to_string(static_cast<int>(call)) + " #" + std::to_string(occurrence));
        const std::filesystem::path path = put(fileName, before(encrypting));
        const pid_t child = startJob(encrypting, path, [&] {
          static FileSystemFaults faults;
          planned(faults);
          faults.fail(call, FileSystemFaults::killProcess, occurrence);
        });
        ASSERT_TRUE(killedBySignal(child));
        EXPECT_EQ(leftOvers(), at > named && at <= renamed ? 1U : 0U);
        expectWholeAndTidied(encrypting, path);
      }
      EXPECT_GE(calls.size(), 15U) << "a whole job makes this many file-system calls, each a point to die at";
    }
  }
}

TEST_F(CrashSafety, AKillAtAnyMomentOfEitherJob) {
  for (const bool encrypting : {true, false}) {
    SCOPED_TRACE(encrypting ? "encryption" : "decryption");
    // How long a whole job takes here, only to spread the kills across it.
    const std::filesystem::path path = put(fileName, before(encrypting));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_FALSE(killedBySignal(startJob(encrypting, path, [] {})));
    const auto whole = std::chrono::steady_clock::now() - start;

    constexpr int moments = 20;
    for (int moment = 0; moment < moments; ++moment) {
      SCOPED_TRACE(moment);
      put(fileName, before(encrypting));
      const pid_t child = startJob(encrypting, path, [] {});
      std::this_thread::sleep_for(whole * moment / moments);
      ::kill(child, SIGKILL);
      ::waitpid(child, nullptr, 0);
      EXPECT_LE(leftOvers(), 1U);
      expectWholeAndTidied(encrypting, path);
    }
  }
}

} // namespace
} // namespace orvelin::testing
