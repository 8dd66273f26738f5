// The file jobs end to end on real files, and under every file-system fault they can meet: the
// user's file is either rewritten whole or left exactly as it was, with no temporary file behind.
// These run on Linux and, under Wine, on Windows; file_jobs_posix_test.cpp and
// file_jobs_windows_test.cpp hold what only one platform has.

#include "crypto/clsCrypto.h"
#include "file_system_faults.h"
#include "job_folder.h"
#include "jobs/code_page.h"
#include "jobs/file_error.h"
#include "jobs/file_jobs.h"
#include "jobs/file_lookup.h"
#include "live_job_file.h"
#include "tests/crypto/engine_runs.h"
#include "tests/crypto/vectors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

namespace orvelin::testing {
namespace {

namespace fs = std::filesystem;

using FileJobs = JobFolder;

// A fault's description, for the failure report.
std::string traceOf(const Fault &fault) {
  return os::errorText(fault.error) + " at call " + std::to_string(static_cast<int>(fault.call)) + " #" +
         std::to_string(fault.occurrence);
}

// Passwords typed as Unicode become the Windows-1252 bytes here, as on every Western Windows.
class Passwords : public JobFolder {
protected:
  void SetUp() override {
    if (codePageName() != "Windows-1252") {
      GTEST_SKIP() << "the system's code page is " << codePageName();
    }
  }
};

TEST_F(FileJobs, RoundTripsEmptySmallAndMultiMegabyteFilesWithAUnicodeName) {
  const fs::path name = u8"caf\u00e9 \u65e5\u672c \U0001F511.txt";
  for (const std::string &content : {std::string(), std::string("a small text\n"), randomBytes(3 * 1024 * 1024 + 5)}) {
    SCOPED_TRACE(content.size());
    const fs::path path = put(name, content);
    ASSERT_TRUE(namesExistingFile(path, HiddenFiles::PassedOver));
    ASSERT_TRUE(EncryptFile(path, u"password", boxes));
    EXPECT_EQ(contentOf(path), sealAndEncrypt("password", content, boxes));
    ASSERT_TRUE(DecryptFile(path, u"password", boxes));
    EXPECT_EQ(contentOf(path), content) << "an encrypted empty file becomes empty again";
  }
  EXPECT_TRUE(boxes.messages().empty());
  EXPECT_EQ(entries(), std::vector{shown(name)});
}

TEST_F(FileJobs, WriteWhatTheEngineGivesForEveryLengthAroundASlice) {
  // The content is read, and the result written, beside the engine: its slices' edges must not show.
  constexpr std::size_t slice = clsCrypto::sliceSize;
  constexpr std::size_t seal = clsCrypto::sealHeaderSize;
  // A payload of exactly one slice (slice - seal) has a ciphertext whose last slice is all padding.
  const std::size_t lengths[] = {0,
                                 1,
                                 7,
                                 8,
                                 9,
                                 slice - seal - 1,
                                 slice - seal,
                                 slice - 1,
                                 slice,
                                 slice + 1,
                                 3 * slice - 1,
                                 3 * slice,
                                 3 * slice + 1};
  for (const std::size_t length : lengths) {
    SCOPED_TRACE(length);
    const std::string content = randomBytes(length);
    const fs::path path = put("slices.bin", content);
    ASSERT_TRUE(EncryptFile(path, u"pw", boxes));
    EXPECT_EQ(contentOf(path), sealAndEncrypt("pw", content, boxes));
    ASSERT_TRUE(DecryptFile(path, u"pw", boxes));
    EXPECT_EQ(contentOf(path), content);
  }
  EXPECT_TRUE(boxes.messages().empty());
  EXPECT_EQ(entries(), std::vector<std::string>{"slices.bin"});
}

TEST_F(FileJobs, AFaultReadingOrWritingPartWayLeavesTheOriginalAndNoTemporaryFile) {
  // Five slices: the faults strike while the engine works on the slices before them.
  const std::string plain = randomBytes(5 * clsCrypto::sliceSize);
  const std::string encrypted = sealAndEncrypt("pw", plain, boxes);
#ifdef _WIN32
  constexpr os::ErrorCode readFault = ERROR_READ_FAULT;
  constexpr os::ErrorCode diskFull = ERROR_DISK_FULL;
#else
  constexpr os::ErrorCode readFault = EIO;
  constexpr os::ErrorCode diskFull = ENOSPC;
#endif
  const struct {
    const char *name;
    bool encrypting;
    Fault fault;
    const char *action; // in the box
    const char *after;  // in the box, after the system's reason
  } cases[] = {
      {"encrypting, reading the third piece", true, {contentRead, 3, readFault}, "read", "."},
      {"decrypting, reading the fourth piece, slices already deciphered",
       false,
       {contentRead, 4, readFault},
       "read",
       "."},
      {"decrypting, writing the second slice",
       false,
       {contentWrite, 2, diskFull},
       "write",
       ". The file has not been changed."},
      {"encrypting, writing the third slice",
       true,
       {contentWrite, 3, diskFull},
       "write",
       ". The file has not been changed."},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const std::string &original = c.encrypting ? plain : encrypted;
    const fs::path path = put("parts.bin", original);
    boxes.clear();
    {
      FileSystemFaults injected;
      injected.fail(c.fault.call, c.fault.error, c.fault.occurrence);
      EXPECT_FALSE(c.encrypting ? EncryptFile(path, u"pw", boxes) : DecryptFile(path, u"pw", boxes));
    }
    EXPECT_EQ(contentOf(path), original);
    EXPECT_EQ(entries(), std::vector<std::string>{"parts.bin"});
    EXPECT_EQ(boxes.messages(), fileErrors(std::string("Cannot ") + c.action + " \"" + shown(path) +
                                           "\": " + os::errorText(c.fault.error) + c.after));
  }
}

TEST_F(FileJobs, ProgressGrowsWithEveryPieceAndReachesOneOnlyWhenTheFileIsRewritten) {
  const std::string large = randomBytes(3 * clsCrypto::sliceSize + 5);
  using Job = bool (*)(const fs::path &, std::u16string_view, MessageSink &, const JobProgress &);
  const struct {
    const char *name;
    std::string content;
    Job job;
    bool rewritten;
  } cases[] = {
      {"encrypting a file of four slices", large, EncryptFile, true},
      {"decrypting it", sealAndEncrypt("pw", large, boxes), DecryptFile, true},
      {"encrypting an empty file", "", EncryptFile, true},
      {"decrypting to an empty file", sealAndEncrypt("pw", "", boxes), DecryptFile, true},
      {"decrypting with the wrong password", sealAndEncrypt("other", large, boxes), DecryptFile, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = put("progress.bin", c.content);
    boxes.clear();
    std::vector<double> told;
    EXPECT_EQ(c.job(path, u"pw", boxes, [&told](double fraction) { told.push_back(fraction); }), c.rewritten);
    ASSERT_FALSE(told.empty());
    EXPECT_GT(told.front(), 0.0);
    EXPECT_TRUE(std::adjacent_find(told.begin(), told.end(), std::greater_equal<>()) == told.end())
        << "told only when it grows";
    EXPECT_EQ(told.back() == 1.0, c.rewritten);
  }
  // Each slice hashed in the first pass and ciphered in the second; the writing, which runs beside
  // them, once it is done; and the end, once the file is in place.
  const fs::path path = put("progress.bin", large);
  std::size_t told = 0;
  ASSERT_TRUE(EncryptFile(path, u"pw", boxes, [&told](double /*fraction*/) { ++told; }));
  const std::size_t slices = large.size() / clsCrypto::sliceSize + 1;
  EXPECT_EQ(told, 2 * slices + 2);
}

TEST_F(Passwords, WriteExactlyTheKnownAnswersOfTheCryptoApi) {
  const fs::path path = dir / "vector";
  // "café" in Windows-1252, typed here as Unicode.
  const std::vector<KnownAnswer> answers = knownAnswers();
  const auto found = std::find_if(answers.begin(), answers.end(), [](const KnownAnswer &answer) {
    return answer.password == "caf\xe9" && answer.plainFile.filename() == "starts16.bin";
  });
  ASSERT_NE(found, answers.end());
  const KnownAnswer &cafe = *found;
  fs::copy_file(cafe.plainFile, path);
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add); // the vectors are read-only
  ASSERT_TRUE(EncryptFile(path, u"caf\u00e9", boxes));
  EXPECT_EQ(contentOf(path), readBytes(cafe.cipherFile));
  ASSERT_TRUE(DecryptFile(path, u"caf\u00e9", boxes));
  EXPECT_EQ(contentOf(path), readBytes(cafe.plainFile));
}

TEST_F(FileJobs, AWrongPasswordLeavesTheFileUntouched) {
  const fs::path path = put("secret.txt", sealAndEncrypt("right", "secret content", boxes));
  const std::string before = contentOf(path);
  EXPECT_FALSE(DecryptFile(path, u"wrong", boxes));
  EXPECT_EQ(contentOf(path), before);
  ASSERT_EQ(boxes.messages().size(), 1U);
  EXPECT_TRUE(boxes.messages()[0] == engineFailure("Error -2146893819 during CryptDecrypt!") ||
              boxes.messages()[0] == corruptionMessage());
}

TEST_F(FileJobs, EncryptingTwiceNeedsTwoDecryptionsAndShorterOutputLeavesNoOldBytes) {
  const fs::path path = put("twice.txt", "layered");
  ASSERT_TRUE(EncryptFile(path, u"pw", boxes) && EncryptFile(path, u"pw", boxes));
  ASSERT_TRUE(DecryptFile(path, u"pw", boxes));
  EXPECT_EQ(contentOf(path), sealAndEncrypt("pw", "layered", boxes)) << "the file is exactly the shorter output";
  ASSERT_TRUE(DecryptFile(path, u"pw", boxes));
  EXPECT_EQ(contentOf(path), "layered");
}

TEST_F(FileJobs, AFailureAtAnyStepOfTheReplacementLeavesTheOriginalAndNoTemporaryFile) {
#ifdef _WIN32
  // The rename's two ways, and the steps that may fail without harm: file_jobs_windows_test.cpp.
  const Fault faults[] = {
      {FileCall::CreateFileW, 3, ERROR_ACCESS_DENIED},
      {FileCall::CreateFileW, 3, ERROR_WRITE_PROTECT}, // a read-only medium
      {FileCall::WriteFile, 1, ERROR_DISK_FULL},
      {FileCall::WriteFile, 3, ERROR_DISK_FULL},
      {FileCall::WriteFile, 2, ERROR_WRITE_FAULT},
      {FileCall::SetFileInformationByHandle, 1, ERROR_ACCESS_DENIED}, // to be deleted when closed
      {FileCall::CreateFileW, 5, ERROR_ACCESS_DENIED},                // what is at the name, stamped
      {FileCall::GetFileInformationByHandle, 3, ERROR_ACCESS_DENIED},
      {FileCall::GetFileAttributesExW, 3, ERROR_FILE_NOT_FOUND},
      {FileCall::CreateFileW, 6, ERROR_ACCESS_DENIED}, // the security descriptor, read
      {FileCall::GetSecurityInfo, 1, ERROR_ACCESS_DENIED},
      {FileCall::SetSecurityInfo, 1, ERROR_ACCESS_DENIED},
      {FileCall::SetFileInformationByHandle, 2, ERROR_ACCESS_DENIED}, // the attributes
      {FileCall::FlushFileBuffers, 1, ERROR_WRITE_FAULT},
      {FileCall::SetFileInformationByHandle, 3, ERROR_ACCESS_DENIED}, // to be kept
      {FileCall::CreateFileW, 7, ERROR_SHARING_VIOLATION},            // the replaced file, held elsewhere
      {FileCall::GetFileInformationByHandle, 4, ERROR_ACCESS_DENIED},
      {FileCall::SetFileInformationByHandle, 4, ERROR_ACCESS_DENIED}, // the rename
  };
#else
  // Openat: the folder, the file, the temporary file, the file for the second pass, the file again
  // for what the user chose for it. Fstatat: is it read-only, is it a file, the one opened, the one
  // opened for the second pass, is it still there (then 6 to 8 after it).
  const Fault faults[] = {
      {FileCall::Openat, 3, EACCES}, {FileCall::Openat, 3, EROFS},    {FileCall::Flock, 1, EWOULDBLOCK},
      {FileCall::Write, 1, ENOSPC},  {FileCall::Write, 3, ENOSPC},    {FileCall::Write, 2, EIO},
      {FileCall::Fstatat, 5, EIO},   {FileCall::Openat, 5, EACCES},   {FileCall::Fstatat, 6, EIO},
      {FileCall::Fchmod, 1, EPERM},  {FileCall::Fsync, 1, EIO},       {FileCall::Linkat, 1, ENOSPC},
      {FileCall::Fstatat, 7, EIO},   {FileCall::Renameat2, 1, EXDEV}, {FileCall::Renameat2, 1, EACCES},
      {FileCall::Fstatat, 8, EIO}, // what the exchange took out, which goes back
  };
#endif
  const std::string original = randomBytes(std::size_t{3} << 20);
  for (const Fault &fault : faults) {
    SCOPED_TRACE(traceOf(fault));
    const fs::path path = put("precious.bin", original);
    boxes.clear();
    FileSystemFaults injected;
#ifdef _WIN32
    // Wine's own steps fail in file_jobs_windows_test.cpp.
    const WindowsSteps asOnWindows;
#endif
    injected.fail(fault.call, fault.error, fault.occurrence);
    EXPECT_FALSE(EncryptFile(path, u"pw", boxes));
    EXPECT_EQ(contentOf(path), original);
    EXPECT_EQ(entries(), std::vector<std::string>{"precious.bin"});
    EXPECT_EQ(boxes.messages(), fileErrors("Cannot write \"" + shown(path) + "\": " + os::errorText(fault.error) +
                                           ". The file has not been changed."));
  }
}

// Each meddling happens at a chosen call of the job, so that every race runs the same way each time.
TEST_F(FileJobs, ReplacesOnlyTheFileItReadWhateverIsPutAtItsNameMeanwhile) {
  const std::string content = "the user's words";
  // Each of what another program does, once the new content is written and (Linux) as the new file
  // takes the name, the check before having passed by then.
  const struct {
    const char *what;
    std::function<void(const fs::path &path)> meddle;
    std::string leftAtPath;           // what the path holds afterwards, as the other left it
    std::vector<std::string> entries; // of the folder, afterwards
  } meddlings[] = {
#ifndef _WIN32 // Wine makes no Windows links
      {"a link to another of the user's files put in its place",
       [](const fs::path &path) {
         fs::rename(path, path.parent_path() / "moved.txt");
         fs::create_symlink("other.txt", path);
       },
       "another file",
       {"moved.txt", "other.txt", "plain.txt"}},
#endif
      {"a version saved by rename",
       [](const fs::path &path) {
         std::ofstream(path.parent_path() / "saving.tmp") << "saved meanwhile";
         fs::rename(path.parent_path() / "saving.tmp", path);
       },
       "saved meanwhile",
       {"other.txt", "plain.txt"}},
      {"an append",
       [](const fs::path &path) { std::ofstream(path, std::ios::app) << " and more"; },
       content + " and more",
       {"other.txt", "plain.txt"}},
  };
  const std::string rewriting = "the file was changed while it was being rewritten; it has been left as it is now.";
  const std::string reading = "it changed while it was being read.";
  const struct {
    const char *when;
    FileCall call;
    int occurrence;
    const std::string &reason;
    const char *action;
  } moments[] = {
#ifdef _WIN32
      {"between the digest's pass and the cipher's", FileCall::CreateFileW, 4, reading, "read"},
      // Windows has no exchange of names: the check just before the rename is the last guard.
      {"after the content is written", FileCall::FlushFileBuffers, 1, rewriting, "write"},
#else
      {"between the digest's pass and the cipher's", FileCall::Openat, 4, reading, "read"},
      {"after the content is written", FileCall::Fsync, 1, rewriting, "write"},
      {"as the names change hands", FileCall::Renameat2, 1, rewriting, "write"},
#endif
  };
  for (const auto &m : meddlings) {
    for (const auto &moment : moments) {
      SCOPED_TRACE(std::string(m.what) + ", " + moment.when);
      fs::remove_all(dir / "moved.txt");
      const fs::path other = put("other.txt", "another file");
      const fs::path path = put("plain.txt", content);
      boxes.clear();
      FileSystemFaults injected;
      injected.before(moment.call, moment.occurrence, [&] { m.meddle(path); });
      EXPECT_FALSE(EncryptFile(path, u"pw", boxes));
      EXPECT_EQ(boxes.messages(),
                fileErrors(std::string("Cannot ") + moment.action + " \"" + shown(path) + "\": " + moment.reason));
      EXPECT_EQ(contentOf(other), "another file");
      EXPECT_EQ(contentOf(path), m.leftAtPath);
      EXPECT_EQ(entries(), m.entries);
      if (fs::exists(dir / "moved.txt")) {
        EXPECT_EQ(contentOf(dir / "moved.txt"), content);
      }
      fs::remove(path);
    }
  }
}

TEST_F(FileJobs, AnErrorRecordingTheRenameSaysTheFileHoldsItsNewContent) {
  // The second flush is the one after the rename, which cannot be undone once made.
#ifdef _WIN32
  const Fault fault{FileCall::FlushFileBuffers, 2, ERROR_WRITE_FAULT};
#else
  const Fault fault{FileCall::Fsync, 2, EIO};
#endif
  const fs::path path = put("notes.txt", "recorded or not");
  FileSystemFaults injected;
  injected.fail(fault.call, fault.error, fault.occurrence);
  double told = 0;
  EXPECT_FALSE(EncryptFile(path, u"pw", boxes, [&told](double fraction) { told = fraction; }));
  EXPECT_LT(told, 1.0);
  EXPECT_EQ(contentOf(path), sealAndEncrypt("pw", "recorded or not", boxes));
  EXPECT_EQ(entries(), std::vector<std::string>{"notes.txt"});
  EXPECT_EQ(boxes.messages(), fileErrors("Cannot write \"" + shown(path) + "\": " + os::errorText(fault.error) + ". " +
                                         fileReplacedUnrecorded));
}

TEST_F(FileJobs, AFailureWhileReadingIsReportedAndTouchesNothing) {
#ifdef _WIN32
  const Fault faults[] = {
      {FileCall::GetFileAttributesExW, 1, ERROR_FILE_NOT_FOUND},       // vanished after the window's check
      {FileCall::GetFileAttributesExW, 1, ERROR_FILENAME_EXCED_RANGE}, // a path too long
      {FileCall::GetFileAttributesExW, 2, ERROR_ACCESS_DENIED},
      {FileCall::CreateFileW, 1, ERROR_ACCESS_DENIED}, // the file, opened for its final path
      {FileCall::GetFinalPathNameByHandleW, 1, ERROR_NOT_ENOUGH_MEMORY},
      {FileCall::CreateFileW, 2, ERROR_SHARING_VIOLATION},
      {FileCall::GetFileInformationByHandle, 1, ERROR_ACCESS_DENIED},
      {FileCall::ReadFile, 1, ERROR_READ_FAULT},
  };
#else
  const Fault faults[] = {
      {FileCall::Fstatat, 1, ENOENT}, // vanished after the window's check
      {FileCall::Fstatat, 2, EIO},    {FileCall::Realpath, 1, ENOENT}, {FileCall::Openat, 1, EACCES}, // the folder
      {FileCall::Openat, 2, EACCES},  {FileCall::Fstatat, 3, EIO},     {FileCall::Read, 1, EIO},
  };
#endif
  for (const Fault &fault : faults) {
    SCOPED_TRACE(traceOf(fault));
    const fs::path path = put("input.txt", "content");
    boxes.clear();
    FileSystemFaults injected;
    injected.fail(fault.call, fault.error, fault.occurrence);
    EXPECT_FALSE(DecryptFile(path, u"pw", boxes));
    EXPECT_EQ(contentOf(path), "content");
    EXPECT_EQ(boxes.messages(), fileErrors("Cannot read \"" + shown(path) + "\": " + os::errorText(fault.error) + "."));
    EXPECT_EQ(injected.count(contentWrite), 0);
  }
}

TEST_F(FileJobs, AFileThatNoLongerExistsIsReported) {
  const fs::path path = dir / "gone.txt";
  EXPECT_FALSE(EncryptFile(path, u"pw", boxes));
  EXPECT_EQ(boxes.messages(), fileErrors("Cannot read \"" + shown(path) + "\": " + os::errorText(noSuchFile) + "."));
  EXPECT_TRUE(entries().empty());
}

TEST_F(FileJobs, AReadOnlyFileIsRefusedBeforeItIsRead) {
  const fs::path path = put("locked.txt", "do not change");
  // On Windows, the read-only attribute.
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const FileSystemFaults watched;
  EXPECT_FALSE(EncryptFile(path, u"pw", boxes));
  EXPECT_EQ(watched.count(contentRead), 0);
  EXPECT_EQ(contentOf(path), "do not change");
  EXPECT_EQ(boxes.messages(), fileErrors("Cannot change \"" + shown(path) + "\": the file is read-only."));
}

TEST_F(FileJobs, AFolderIsNotAFileToEncrypt) {
  const fs::path path = dir / "folder";
  ASSERT_TRUE(fs::create_directory(path));
  EXPECT_FALSE(EncryptFile(path, u"pw", boxes));
  EXPECT_EQ(boxes.messages(), fileErrors("Cannot read \"" + shown(path) + "\": it is not a regular file."));
  EXPECT_EQ(entries(), std::vector<std::string>{"folder"});
}

TEST_F(FileJobs, OnlyAbandonedTemporaryFilesOfTheSameFileAreTidied) {
  const fs::path path = put("file.bin", "content");
  const fs::path abandoned = put(".file.bin.orvelin-a1B2c3", "left by a crash");
  const fs::path inUse = put(".file.bin.orvelin-d4E5f6", "being written by another job");
  const std::vector<std::string> kept = {".file.bin.orvelin-notes", ".other.bin.orvelin-g7H8i9",
                                         "file.bin.orvelin-j1K2l3"};
  for (const std::string &name : kept) {
    put(name, "not ours to remove");
  }
  {
    const LiveJobFile writer(inUse);
    ASSERT_TRUE(writer.held());
    EXPECT_TRUE(EncryptFile(path, u"pw", boxes));
  }
  std::vector<std::string> expected = kept;
  expected.insert(expected.end(), {"file.bin", ".file.bin.orvelin-d4E5f6"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(entries(), expected);
  EXPECT_FALSE(fs::exists(abandoned));
}

TEST_F(FileJobs, ALeftOverIsKeptWhileTheFileIsNotThere) {
  const fs::path path = put("file.bin", "content");
  const fs::path leftOver = put(".file.bin.orvelin-a1B2c3", "the only copy of the content");
  FileSystemFaults injected;
  // The file is gone as the tidy looks for it (another job has set it aside). The job has looked at
  // it before: is it read-only, is it a file, and the one opened (POSIX); opened to find where it is,
  // and opened to be read (Windows).
#ifdef _WIN32
  injected.fail(FileCall::CreateFileW, noSuchFile, 3);
#else
  injected.fail(FileCall::Fstatat, noSuchFile, 4);
#endif
  EXPECT_TRUE(EncryptFile(path, u"pw", boxes));
  EXPECT_EQ(contentOf(leftOver), "the only copy of the content");
}

TEST_F(Passwords, APasswordCharacterWithoutAWindowsByteIsRefusedBeforeAnythingIsTouched) {
  const fs::path path = put("plain.txt", "content");
  const FileSystemFaults watched;
  EXPECT_FALSE(EncryptFile(path, u"pass\u0100word", boxes));
  EXPECT_TRUE(watched.log().empty());
  EXPECT_EQ(boxes.messages(),
            (std::vector<RecordedMessage>{
                {"The character \"\u0100\" (U+0100) cannot be used in a password: encrypted files take passwords in "
                 "the Windows-1252 character set, which does not have it.",
                 "Invalid Password", MessageStyle::Critical}}));
}

TEST_F(Passwords, AreTheWindows1252BytesOfWhatWasTyped) {
  // The euro sign and the curly quotes live in 0x80..0x9F; U+0081 is one of the five unassigned bytes.
  // Outside the code page: a character beyond the first 64 Ki, and a lone surrogate.
  const std::pair<std::u16string, std::string> typed[] = {
      {u"\u20ac100", "\x80"
                     "100"},
      {u"\u201cq\u201d", "\x93q\x94"},
      {u"\u00ff\u0081", "\xff\x81"},
      {u"\U0001F600", ""},
      {std::u16string{u'a', char16_t{0xD800}}, ""},
  };
  for (const auto &[password, bytes] : typed) {
    const fs::path path = put("plain.txt", "content");
    boxes.clear();
    const bool encrypted = EncryptFile(path, password, boxes);
    EXPECT_EQ(encrypted, !bytes.empty());
    if (encrypted) {
      EXPECT_EQ(decryptAndUnseal(bytes, contentOf(path), boxes).content, "content");
    } else {
      EXPECT_EQ(boxes.messages().at(0).title, "Invalid Password");
    }
  }
}

} // namespace
} // namespace orvelin::testing
