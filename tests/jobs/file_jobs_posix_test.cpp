// What the file jobs keep of POSIX files: permission bits, links, and their behaviour under the
// limits a process can be given (file size, address space), as another user, and on file systems
// without unnamed files.

#include "address_space_limit.h"
#include "file_system_faults.h"
#include "job_folder.h"
#include "jobs/file_jobs.h"
#include "jobs/file_system_calls.h"
#include "tests/crypto/engine_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <grp.h>
#include <map>
#include <new>
#include <optional>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvelin::testing {
namespace {

namespace fs = std::filesystem;

using FileJobs = JobFolder;

TEST_F(FileJobs, KeepsThePermissionBitsAndWritesOnlyToAPrivateTemporaryFile) {
  const fs::path path = put("shared.txt", "for the group");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(EncryptFile(path, u"pw", boxes));
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640U);

  // While any content is being written, nobody but the owner may read the temporary file.
  static mode_t modeWhileWriting = 0;
  FileSystemCalls spying = FileSystemCalls::platform();
  spying.write = [](int file, const void *buffer, size_t count) {
    struct stat temporary {};
    ::fstat(file, &temporary);
    modeWhileWriting = temporary.st_mode & 07777;
    return ::write(file, buffer, count);
  };
  const ScopedFileSystemCalls spy(spying);
  ASSERT_TRUE(DecryptFile(path, u"pw", boxes));
  EXPECT_EQ(modeWhileWriting, 0600U);
}

TEST_F(FileJobs, ASymbolicLinkStaysALinkAndItsTargetIsRewritten) {
  const fs::path target = put("target.txt", "behind a link");
  const fs::path link = dir / "link.txt";
  fs::create_symlink(target, link);
  ASSERT_TRUE(EncryptFile(link, u"pw", boxes));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(contentOf(target), sealAndEncrypt("pw", "behind a link", boxes));
  ASSERT_TRUE(DecryptFile(link, u"pw", boxes));
  EXPECT_EQ(contentOf(target), "behind a link");
}

TEST_F(FileJobs, TheTemporaryFileIsNamedAtItsCreationWhereTheFileSystemHasNoUnnamedFiles) {
  // The third opening is the unnamed file's: refused as such a file system (or an old kernel)
  // refuses it, then with a fault of the named file's steps.
  const struct {
    os::ErrorCode refusal;
    std::optional<Fault> then;
  } cases[] = {
      {EOPNOTSUPP, std::nullopt},
      {EISDIR, std::nullopt},
      {EOPNOTSUPP, Fault{FileCall::Flock, 1, EWOULDBLOCK}},
      {EOPNOTSUPP, Fault{FileCall::Write, 1, ENOSPC}},
      {EOPNOTSUPP, Fault{FileCall::Renameat2, 1, EACCES}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(os::errorText(c.refusal) + (c.then ? ", then " + os::errorText(c.then->error) : ""));
    const fs::path path = put("plain.txt", "content");
    boxes.clear();
    FileSystemFaults injected;
    injected.fail(FileCall::Openat, c.refusal, 3);
    if (c.then) {
      injected.fail(c.then->call, c.then->error, c.then->occurrence);
    }
    EXPECT_EQ(EncryptFile(path, u"pw", boxes), !c.then);
    EXPECT_EQ(contentOf(path), c.then ? "content" : sealAndEncrypt("pw", "content", boxes));
    EXPECT_EQ(injected.count(FileCall::Linkat), 0) << "a named file is not linked";
    EXPECT_EQ(entries(), std::vector<std::string>{"plain.txt"});
  }
}

TEST_F(FileJobs, AnUnnamedTemporaryFileFindingItsNameTakenTakesAnother) {
  const fs::path path = put("plain.txt", "content");
  FileSystemFaults injected;
  injected.fail(FileCall::Linkat, EEXIST, 1);
  ASSERT_TRUE(EncryptFile(path, u"pw", boxes));
  EXPECT_EQ(contentOf(path), sealAndEncrypt("pw", "content", boxes));
  EXPECT_EQ(injected.count(FileCall::Linkat), 2);
  EXPECT_EQ(entries(), std::vector<std::string>{"plain.txt"});
}

TEST_F(FileJobs, AFileInAFolderThatMayNotBeWrittenIsLeftAsItWas) {
  // The folder is writable by its owner only; the job runs as somebody else who owns the file.
  constexpr uid_t nobody = 65534;
  fs::permissions(dir, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  const fs::path path = put("theirs.txt", "their content");
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(path.c_str(), nobody, nobody), 0);
  } else {
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  }
  // Forked, not re-run, so the child works on this very folder and file.
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)) {
          std::exit(2);
        }
        const bool refused = !EncryptFile(path, u"pw", boxes) && contentOf(path) == "their content" &&
                             boxes.messages() == fileErrors("Cannot write \"" + shown(path) +
                                                            "\": Permission denied. The file has not been changed.") &&
                             entries() == std::vector<std::string>{"theirs.txt"};
        std::exit(refused ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(FileJobs, AFullDiskPartWayThroughTheWriteLeavesTheOriginalAndSaysSo) {
  const std::string original = randomBytes(std::size_t{3} << 20);
  const fs::path path = put("big.bin", original);
  const rlimit oneMebibyte{std::size_t{1} << 20, std::size_t{1} << 20};
  // Forked, so that the limit on file sizes holds for the job's process alone.
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        (void)::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &oneMebibyte);
        const bool refused = !EncryptFile(path, u"pw", boxes) && contentOf(path) == original &&
                             entries() == std::vector<std::string>{"big.bin"} &&
                             boxes.messages() == fileErrors("Cannot write \"" + shown(path) +
                                                            "\": File too large. The file has not been changed.");
        std::exit(refused ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// The disk reports a lost write-back to the flush: the job stops before the file is replaced.
TEST_F(FileJobs, AWriteBackErrorAtTheFlushStopsTheJobAndTheBarNeverFills) {
  const std::string plain = randomBytes(std::size_t{5} << 20);
  const std::string encrypted = sealAndEncrypt("pw", plain, boxes);
  const struct {
    os::ErrorCode error;
    bool encrypting;
  } cases[] = {{EIO, true}, {EDQUOT, false}};
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::Message() << os::errorText(c.error) << (c.encrypting ? ", encrypting" : ", decrypting"));
    const std::string &original = c.encrypting ? plain : encrypted;
    const fs::path path = put("big.bin", original);
    boxes.clear();
    double told = 0;
    bool rewritten = true;
    {
      FileSystemFaults injected;
      injected.fail(FileCall::Fsync, c.error, 1); // the temporary file's, before any of its folder
      const JobProgress progress = [&told](double fraction) { told = fraction; };
      rewritten = c.encrypting ? EncryptFile(path, u"pw", boxes, progress) : DecryptFile(path, u"pw", boxes, progress);
    }
    EXPECT_FALSE(rewritten);
    EXPECT_LT(told, 1.0);
    EXPECT_TRUE(contentOf(path) == original) << "the file as it was";
    EXPECT_EQ(entries(), std::vector<std::string>{"big.bin"});
    EXPECT_EQ(boxes.messages(), fileErrors("Cannot write \"" + shown(path) + "\": " + os::errorText(c.error) +
                                           ". The file has not been changed."));
  }
}

int systemCalls = 0;

template <typename Thrown> void throwsOnSecond(Thrown thrown) {
  if (++systemCalls == 2) {
    throw thrown;
  }
}

TEST_F(FileJobs, AnExceptionOnTheReadingOrWritingThreadEndsTheJobInItsBox) {
  // Thrown from the system's read or write, on the threads beside the engine, it is carried to the
  // job's thread, which stops and says why, the file as it was.
  FileSystemCalls reading = FileSystemCalls::platform();
  reading.read = [](int file, void *buffer, size_t count) {
    throwsOnSecond(std::runtime_error("the device went away"));
    return ::read(file, buffer, count);
  };
  FileSystemCalls writing = FileSystemCalls::platform();
  writing.write = [](int file, const void *buffer, size_t count) {
    throwsOnSecond(std::runtime_error("the device went away"));
    return ::write(file, buffer, count);
  };
  FileSystemCalls outOfMemory = FileSystemCalls::platform();
  outOfMemory.read = [](int file, void *buffer, size_t count) {
    throwsOnSecond(std::bad_alloc());
    return ::read(file, buffer, count);
  };
  const std::string plain = randomBytes(std::size_t{4} << 20);
  const struct {
    const char *name;
    const FileSystemCalls &calls;
    const char *reason;
  } cases[] = {{"reading", reading, "the device went away"},
               {"writing", writing, "the device went away"},
               {"out of memory", outOfMemory, "there is not enough memory"}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = put("thrown.bin", plain);
    boxes.clear();
    systemCalls = 0;
    bool rewritten = true;
    {
      const ScopedFileSystemCalls scope(c.calls);
      rewritten = EncryptFile(path, u"pw", boxes);
    }
    EXPECT_FALSE(rewritten);
    EXPECT_EQ(contentOf(path), plain);
    EXPECT_EQ(entries(), std::vector<std::string>{"thrown.bin"});
    EXPECT_EQ(boxes.messages(),
              fileErrors("Cannot encrypt \"" + shown(path) + "\": " + c.reason + ". The file has not been changed."));
  }
}

TEST_F(FileJobs, AJobNeedsLessMemoryThanTheFile) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address space cannot be limited under AddressSanitizer";
#endif
  constexpr std::size_t mebibyte = std::size_t{1} << 20;
  const std::string plain = randomBytes(64 * mebibyte);
  const std::string encrypted = sealAndEncrypt("pw", plain, boxes);
  // Less than the file's size, beyond what the process has mapped already: address space, of which
  // each thread's stack and the C library's arena for it reserve more than they use.
  for (const bool encrypting : {true, false}) {
    SCOPED_TRACE(encrypting ? "encrypt" : "decrypt");
    const fs::path path = put("big.bin", encrypting ? plain : encrypted);
    bool rewritten = false;
    {
      const AddressSpaceLimit limit(48 * mebibyte);
      rewritten = encrypting ? EncryptFile(path, u"pw", boxes) : DecryptFile(path, u"pw", boxes);
    }
    EXPECT_TRUE(rewritten);
    EXPECT_TRUE(contentOf(path) == (encrypting ? encrypted : plain));
    EXPECT_EQ(boxes.messages(), decltype(boxes.messages()){});
  }
}

} // namespace
} // namespace orvelin::testing
