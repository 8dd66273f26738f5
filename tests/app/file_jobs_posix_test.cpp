// What the file jobs keep of POSIX files: permission bits, links, and their behaviour under the
// limits a process can be given (file size, address space), as another user, and on file systems
// without unnamed files.

#include "address_space_limit.h"
#include "app/file_jobs.h"
#include "app/file_system_calls.h"
#include "file_system_faults.h"
#include "job_folder.h"
#include "tests/crypto/engine_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <grp.h>
#include <map>
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

// The disk reports a lost write-back to one call only, whichever flushes, syncs or waits for the
// file first; an error any of them meets stops the job before the file is replaced. Past the
// cache the bytes are flushed every 32 MiB; through it (where the bypass is refused) each piece's
// write-back is started, and waited for as its cache is given back.
TEST_F(FileJobs, AWriteBackErrorAtAnyFlushStopsTheJobAndTheBarNeverFills) {
  const std::string plain = randomBytes(std::size_t{70} << 20);
  const std::string encrypted = sealAndEncrypt("pw", plain, boxes);
  enum class Which { First, Middle, Last };
  const struct {
    FileCall call;
    Which which;
    os::ErrorCode error;
    bool encrypting;
    bool throughTheCache;
  } cases[] = {
      {FileCall::Fdatasync, Which::First, EIO, true, false},
      {FileCall::Fdatasync, Which::Last, ENOSPC, false, false},
      {FileCall::SyncFileRange, Which::First, EDQUOT, true, true},
      {FileCall::SyncFileRange, Which::Middle, EIO, false, true},
      {FileCall::SyncFileRange, Which::Last, ENOSPC, true, true},
      {FileCall::SyncFileRange, Which::Last, EDQUOT, false, false}, // the end of the file, through the cache
      {FileCall::Fsync, Which::First, EDQUOT, false, false},        // the temporary file's own
  };
  std::map<std::pair<bool, bool>, std::vector<FileCall>> callsOfAWholeJob;
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::Message() << static_cast<int>(c.call) << " #" << static_cast<int>(c.which) << ", "
                                      << os::errorText(c.error) << (c.encrypting ? ", encrypting" : ", decrypting")
                                      << (c.throughTheCache ? ", through the cache" : ""));
    const std::string &original = c.encrypting ? plain : encrypted;
    const fs::path path = put("big.bin", original);
    std::vector<FileCall> &calls = callsOfAWholeJob[{c.encrypting, c.throughTheCache}];
    if (calls.empty()) {
      FileSystemFaults watched;
      if (c.throughTheCache) {
        watched.fail(FileCall::Fcntl, EINVAL);
      }
      ASSERT_TRUE(c.encrypting ? EncryptFile(path, u"pw", boxes) : DecryptFile(path, u"pw", boxes));
      calls = watched.log();
      put("big.bin", original);
    }
    const int made = static_cast<int>(std::count(calls.begin(), calls.end(), c.call));
    ASSERT_GE(made, c.which == Which::Middle ? 3 : 1);
    const int occurrence = c.which == Which::First ? 1 : c.which == Which::Middle ? (made + 1) / 2 : made;
    boxes.clear();
    double told = 0;
    bool rewritten = true;
    {
      FileSystemFaults injected;
      if (c.throughTheCache) {
        injected.fail(FileCall::Fcntl, EINVAL);
      }
      injected.fail(c.call, c.error, occurrence);
      const JobProgress progress = [&told](double fraction) { told = fraction; };
      rewritten = c.encrypting ? EncryptFile(path, u"pw", boxes, progress) : DecryptFile(path, u"pw", boxes, progress);
    }
    EXPECT_FALSE(rewritten);
    EXPECT_LT(told, 1.0);
    EXPECT_TRUE(contentOf(path) == original) << "the file as it was"; // no diff of 70 MiB
    EXPECT_EQ(entries(), std::vector<std::string>{"big.bin"});
    EXPECT_EQ(boxes.messages(), fileErrors("Cannot write \"" + shown(path) + "\": " + os::errorText(c.error) +
                                           ". The file has not been changed."));
  }
}

int systemCalls = 0;

void throwsOnSecond() {
  if (++systemCalls == 2) {
    throw std::runtime_error("the device went away");
  }
}

TEST_F(FileJobs, AnExceptionOnTheReadingOrWritingThreadEndsTheJobInItsBox) {
  // Thrown from the system's read or write, on the threads beside the engine, it is carried to the
  // job's thread, which stops and says why, the file as it was.
  FileSystemCalls reading = FileSystemCalls::platform();
  reading.read = [](int file, void *buffer, size_t count) {
    throwsOnSecond();
    return ::read(file, buffer, count);
  };
  FileSystemCalls writing = FileSystemCalls::platform();
  writing.write = [](int file, const void *buffer, size_t count) {
    throwsOnSecond();
    return ::write(file, buffer, count);
  };
  const std::string plain = randomBytes(std::size_t{4} << 20);
  const struct {
    const char *name;
    const FileSystemCalls &calls;
  } cases[] = {{"reading", reading}, {"writing", writing}};
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
    EXPECT_EQ(boxes.messages(), fileErrors("Cannot encrypt \"" + shown(path) +
                                           "\": the device went away. The file has not been changed."));
  }
}

TEST_F(FileJobs, TooLittleMemoryIsAFileErrorThatTouchesNothing) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address space cannot be limited under AddressSanitizer";
#endif
  constexpr std::size_t mebibyte = std::size_t{1} << 20;
  const std::string plain = randomBytes(64 * mebibyte);
  const std::string encrypted = sealAndEncrypt("pw", plain, boxes);
  // Too little to read the file at all, and enough to read it but not for the engine's result. A
  // decryption needs about twice the file: 64 MiB and 24 bytes of ciphertext, and its content. An
  // encryption enciphers its 64 MiB of content where it was read, so that much is enough for it.
  const struct {
    std::size_t headroom;
    bool encrypting;
    int neededMiB; // as the box says; 0 where the job has all it needs
  } cases[] = {
      {16 * mebibyte, true, 128}, {96 * mebibyte, true, 0}, {16 * mebibyte, false, 129}, {96 * mebibyte, false, 129}};
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.encrypting ? "encrypt" : "decrypt") << ", headroom " << c.headroom);
    const std::string &original = c.encrypting ? plain : encrypted;
    const fs::path path = put("big.bin", original);
    boxes.clear();
    bool rewritten = false;
    {
      const AddressSpaceLimit limit(c.headroom);
      rewritten = c.encrypting ? EncryptFile(path, u"pw", boxes) : DecryptFile(path, u"pw", boxes);
    }
    EXPECT_EQ(entries(), std::vector<std::string>{"big.bin"});
    if (c.neededMiB == 0) {
      EXPECT_TRUE(rewritten);
      EXPECT_EQ(contentOf(path), encrypted);
      EXPECT_TRUE(boxes.messages().empty());
      continue;
    }
    EXPECT_FALSE(rewritten);
    EXPECT_EQ(contentOf(path), original);
    EXPECT_EQ(boxes.messages(), fileErrors(std::string("Cannot ") + (c.encrypting ? "encrypt" : "decrypt") + " \"" +
                                           shown(path) + "\": there is not enough memory; the job needs about " +
                                           std::to_string(c.neededMiB) + " MiB. The file has not been changed."));
  }
}

} // namespace
} // namespace orvelin::testing
