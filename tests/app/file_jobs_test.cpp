// The file jobs end to end on real files, and under every file-system fault they can meet: the
// user's file is either rewritten whole or left exactly as it was, with no temporary file behind.

#include "address_space_limit.h"
#include "app/file_jobs.h"
#include "file_system_faults.h"
#include "job_folder.h"
#include "tests/crypto/engine_runs.h"
#include "tests/crypto/vectors.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvelin::testing {
namespace {

namespace fs = std::filesystem;

using FileJobs = JobFolder;

TEST_F(FileJobs, RoundTripsEmptySmallAndMultiMegabyteFiles) {
  for (const std::string &content : {std::string(), std::string("a small text\n"), randomBytes(3 * 1024 * 1024 + 5)}) {
    SCOPED_TRACE(content.size());
    const QString path = put("file.txt", content);
    ASSERT_TRUE(EncryptFile(path, "password"));
    EXPECT_EQ(contentOf(path), sealAndEncrypt("password", content));
    ASSERT_TRUE(DecryptFile(path, "password"));
    EXPECT_EQ(contentOf(path), content) << "an encrypted empty file becomes empty again";
  }
  EXPECT_TRUE(boxes.messages().empty());
  EXPECT_EQ(entries(), QStringList{"file.txt"});
}

TEST_F(FileJobs, WriteExactlyTheKnownAnswersOfTheCryptoApi) {
  const QString path = dir.filePath("vector");
  // "café" in Windows-1252, typed here as Unicode.
  const std::vector<KnownAnswer> answers = knownAnswers();
  const auto found = std::find_if(answers.begin(), answers.end(), [](const KnownAnswer &answer) {
    return answer.password == "caf\xe9" && answer.plainFile.filename() == "starts16.bin";
  });
  ASSERT_NE(found, answers.end());
  const KnownAnswer &cafe = *found;
  fs::copy_file(cafe.plainFile, path.toStdString());
  fs::permissions(path.toStdString(), fs::perms::owner_write, fs::perm_options::add); // the vectors are read-only
  ASSERT_TRUE(EncryptFile(path, QStringLiteral("caf\u00e9")));
  EXPECT_EQ(contentOf(path), readBytes(cafe.cipherFile));
  ASSERT_TRUE(DecryptFile(path, QStringLiteral("caf\u00e9")));
  EXPECT_EQ(contentOf(path), readBytes(cafe.plainFile));
}

TEST_F(FileJobs, AWrongPasswordLeavesTheFileUntouched) {
  const QString path = put("secret.txt", sealAndEncrypt("right", "secret content"));
  const std::string before = contentOf(path);
  EXPECT_FALSE(DecryptFile(path, "wrong"));
  EXPECT_EQ(contentOf(path), before);
  ASSERT_EQ(boxes.messages().size(), 1U);
  EXPECT_TRUE(boxes.messages()[0] == engineFailure("Error -2146893819 during CryptDecrypt!") ||
              boxes.messages()[0] == corruptionMessage());
}

TEST_F(FileJobs, EncryptingTwiceNeedsTwoDecryptionsAndShorterOutputLeavesNoOldBytes) {
  const QString path = put("twice.txt", "layered");
  ASSERT_TRUE(EncryptFile(path, "pw") && EncryptFile(path, "pw"));
  ASSERT_TRUE(DecryptFile(path, "pw"));
  EXPECT_EQ(contentOf(path), sealAndEncrypt("pw", "layered")) << "the file is exactly the shorter output";
  ASSERT_TRUE(DecryptFile(path, "pw"));
  EXPECT_EQ(contentOf(path), "layered");
}

TEST_F(FileJobs, KeepsThePermissionBitsAndWritesOnlyToAPrivateTemporaryFile) {
  const QString path = put("shared.txt", "for the group");
  ASSERT_EQ(::chmod(path.toLocal8Bit().constData(), 0640), 0);
  ASSERT_TRUE(EncryptFile(path, "pw"));
  struct stat status {};
  ASSERT_EQ(::stat(path.toLocal8Bit().constData(), &status), 0);
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
  ASSERT_TRUE(DecryptFile(path, "pw"));
  EXPECT_EQ(modeWhileWriting, 0600U);
}

TEST_F(FileJobs, ASymbolicLinkStaysALinkAndItsTargetIsRewritten) {
  const QString target = put("target.txt", "behind a link");
  const QString link = dir.filePath("link.txt");
  ASSERT_TRUE(QFile::link(target, link));
  ASSERT_TRUE(EncryptFile(link, "pw"));
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(contentOf(target), sealAndEncrypt("pw", "behind a link"));
  ASSERT_TRUE(DecryptFile(link, "pw"));
  EXPECT_EQ(contentOf(target), "behind a link");
}

TEST_F(FileJobs, AFailureAtAnyStepOfTheReplacementLeavesTheOriginalAndNoTemporaryFile) {
  const struct {
    FileCall call;
    int occurrence;
    int error;
  } faults[] = {
      {FileCall::Realpath, 1, ENOENT}, {FileCall::Stat, 3, ENOENT},  {FileCall::Mkostemp, 1, EACCES},
      {FileCall::Mkostemp, 1, EROFS},  {FileCall::Write, 1, ENOSPC}, {FileCall::Write, 3, ENOSPC},
      {FileCall::Write, 2, EIO},       {FileCall::Fchmod, 1, EPERM}, {FileCall::Fsync, 1, EIO},
      {FileCall::Close, 2, EIO},       {FileCall::Rename, 1, EXDEV}, {FileCall::Rename, 1, EACCES},
  };
  const std::string original = randomBytes(std::size_t{3} << 20);
  for (const auto &fault : faults) {
    SCOPED_TRACE(std::string(std::strerror(fault.error)) + " at call " + std::to_string(int(fault.call)) + " #" +
                 std::to_string(fault.occurrence));
    const QString path = put("precious.bin", original);
    boxes.clear();
    FileSystemFaults injected;
    injected.fail(fault.call, fault.error, fault.occurrence);
    EXPECT_FALSE(EncryptFile(path, "pw"));
    EXPECT_EQ(contentOf(path), original);
    EXPECT_EQ(entries(), QStringList{"precious.bin"});
    EXPECT_EQ(boxes.messages(), fileErrors(QStringLiteral("Cannot write \"%1\": %2. The file has not been changed.")
                                               .arg(path, QString::fromLocal8Bit(std::strerror(fault.error)))));
  }
}

TEST_F(FileJobs, AFailureWhileReadingIsReportedAndTouchesNothing) {
  const struct {
    FileCall call;
    int occurrence;
    int error;
  } faults[] = {
      {FileCall::Stat, 1, ENOENT}, // vanished after the window's check
      {FileCall::Stat, 2, EIO},
      {FileCall::Open, 1, EACCES},
      {FileCall::Read, 1, EIO},
  };
  for (const auto &fault : faults) {
    SCOPED_TRACE(std::strerror(fault.error));
    const QString path = put("input.txt", "content");
    boxes.clear();
    FileSystemFaults injected;
    injected.fail(fault.call, fault.error, fault.occurrence);
    EXPECT_FALSE(DecryptFile(path, "pw"));
    EXPECT_EQ(contentOf(path), "content");
    EXPECT_EQ(
        boxes.messages(),
        fileErrors(
            QStringLiteral("Cannot read \"%1\": %2.").arg(path, QString::fromLocal8Bit(std::strerror(fault.error)))));
    EXPECT_EQ(injected.count(FileCall::Mkostemp), 0);
  }
}

TEST_F(FileJobs, AFileThatNoLongerExistsIsReported) {
  const QString path = dir.filePath("gone.txt");
  EXPECT_FALSE(EncryptFile(path, "pw"));
  EXPECT_EQ(boxes.messages(), fileErrors(QStringLiteral("Cannot read \"%1\": No such file or directory.").arg(path)));
  EXPECT_TRUE(entries().isEmpty());
}

TEST_F(FileJobs, AReadOnlyFileIsRefusedEvenForTheSuperuser) {
  const QString path = put("locked.txt", "do not change");
  ASSERT_EQ(::chmod(path.toLocal8Bit().constData(), 0444), 0);
  EXPECT_FALSE(EncryptFile(path, "pw"));
  EXPECT_EQ(contentOf(path), "do not change");
  EXPECT_EQ(boxes.messages(), fileErrors(QStringLiteral("Cannot change \"%1\": the file is read-only.").arg(path)));
}

TEST_F(FileJobs, AFileInAFolderThatMayNotBeWrittenIsLeftAsItWas) {
  // The folder is writable by its owner only; the job runs as somebody else who owns the file.
  constexpr uid_t nobody = 65534;
  ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                    QFile::ReadOther | QFile::ExeOther));
  const QString path = put("theirs.txt", "their content");
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(path.toLocal8Bit().constData(), nobody, nobody), 0);
  } else {
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
  }
  // Forked, not re-run, so the child works on this very folder and file.
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)) {
          std::exit(2);
        }
        const bool refused =
            !EncryptFile(path, "pw") && contentOf(path) == "their content" &&
            boxes.messages() == fileErrors(QStringLiteral("Cannot write \"%1\": Permission denied. The "
                                                          "file has not been changed.")
                                               .arg(path)) &&
            entries() == QStringList{"theirs.txt"};
        std::exit(refused ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(FileJobs, AFullDiskPartWayThroughTheWriteLeavesTheOriginalAndSaysSo) {
  const std::string original = randomBytes(std::size_t{3} << 20);
  const QString path = put("big.bin", original);
  const rlimit oneMebibyte{std::size_t{1} << 20, std::size_t{1} << 20};
  // Forked, so that the limit on file sizes holds for the job's process alone.
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        (void)::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &oneMebibyte);
        const bool refused =
            !EncryptFile(path, "pw") && contentOf(path) == original && entries() == QStringList{"big.bin"} &&
            boxes.messages() ==
                fileErrors(
                    QStringLiteral("Cannot write \"%1\": File too large. The file has not been changed.").arg(path));
        std::exit(refused ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(FileJobs, AFolderIsNotAFileToEncrypt) {
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
  const QString path = dir.filePath("folder");
  EXPECT_FALSE(EncryptFile(path, "pw"));
  EXPECT_EQ(boxes.messages(), fileErrors(QStringLiteral("Cannot read \"%1\": it is not a regular file.").arg(path)));
  EXPECT_EQ(entries(), QStringList{"folder"});
}

TEST_F(FileJobs, FilesTooLargeForTheFormatAreRefusedBeforeTheyAreRead) {
  const struct {
    bool encrypting;
    std::uintmax_t size;
    const char *text;
  } cases[] = {
      {true, (std::uintmax_t{1} << 30) - 26,
       "Cannot encrypt \"%1\": the file is too large. Files of up to 1073741797 bytes can be encrypted."},
      {false, std::uintmax_t{1} << 31,
       "Cannot decrypt \"%1\": the file is too large. Encrypted files are smaller than 2147483648 bytes."},
  };
  for (const auto &c : cases) {
    // Sparse, so the test costs no disk.
    const QString path = put("huge.bin", "");
    fs::resize_file(path.toStdString(), c.size);
    boxes.clear();
    FileSystemFaults watched;
    EXPECT_FALSE(c.encrypting ? EncryptFile(path, "pw") : DecryptFile(path, "pw"));
    EXPECT_EQ(watched.count(FileCall::Read), 0);
    EXPECT_EQ(fs::file_size(path.toStdString()), c.size);
    EXPECT_EQ(boxes.messages(), fileErrors(QString::fromLatin1(c.text).arg(path)));
  }
}

TEST_F(FileJobs, TooLittleMemoryIsAFileErrorThatTouchesNothing) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address space cannot be limited under AddressSanitizer";
#endif
  constexpr std::size_t mebibyte = std::size_t{1} << 20;
  const std::string plain = randomBytes(64 * mebibyte);
  const std::string encrypted = sealAndEncrypt("pw", plain);
  // Too little to read the file at all, and enough to read it but not for the engine's result. A job
  // needs about twice the file: 64 MiB of content, or 64 MiB and 24 bytes of ciphertext.
  const struct {
    std::size_t headroom;
    int neededMiB;
    bool encrypting;
  } cases[] = {
      {16 * mebibyte, 128, true}, {96 * mebibyte, 128, true}, {16 * mebibyte, 129, false}, {96 * mebibyte, 129, false}};
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.encrypting ? "encrypt" : "decrypt") << ", headroom " << c.headroom);
    const std::string &original = c.encrypting ? plain : encrypted;
    const QString path = put("big.bin", original);
    boxes.clear();
    bool rewritten = true;
    {
      const AddressSpaceLimit limit(c.headroom);
      rewritten = c.encrypting ? EncryptFile(path, "pw") : DecryptFile(path, "pw");
    }
    EXPECT_FALSE(rewritten);
    EXPECT_EQ(contentOf(path), original);
    EXPECT_EQ(entries(), QStringList{"big.bin"});
    EXPECT_EQ(boxes.messages(),
              fileErrors(QStringLiteral("Cannot %1 \"%2\": there is not enough memory; the job needs about %3 MiB. "
                                        "The file has not been changed.")
                             .arg(QLatin1String(c.encrypting ? "encrypt" : "decrypt"), path)
                             .arg(c.neededMiB)));
  }
}

TEST_F(FileJobs, APasswordCharacterWithoutAWindowsByteIsRefusedBeforeAnythingIsTouched) {
  const QString path = put("plain.txt", "content");
  FileSystemFaults watched;
  EXPECT_FALSE(EncryptFile(path, QStringLiteral("pass\u0100word")));
  EXPECT_TRUE(watched.log().empty());
  EXPECT_EQ(boxes.messages(),
            (std::vector<RecordedMessage>{
                {"The character \"\u0100\" (U+0100) cannot be used in a password: encrypted files take passwords in "
                 "the Windows-1252 character set, which does not have it.",
                 "Invalid Password", MessageStyle::Critical}}));
}

TEST_F(FileJobs, PasswordsAreTheWindows1252BytesOfWhatWasTyped) {
  // The euro sign and the curly quotes live in 0x80..0x9F; U+0081 is one of the five unassigned bytes.
  const std::pair<QString, std::string> typed[] = {
      {QStringLiteral("\u20ac100"), "\x80"
                                    "100"},
      {QStringLiteral("\u201cq\u201d"), "\x93q\x94"},
      {QStringLiteral("\u00ff\u0081"), "\xff\x81"},
      {QStringLiteral("\U0001F600"), ""},
  };
  for (const auto &[password, bytes] : typed) {
    const QString path = put("plain.txt", "content");
    boxes.clear();
    const bool encrypted = EncryptFile(path, password);
    EXPECT_EQ(encrypted, !bytes.empty());
    if (encrypted) {
      EXPECT_EQ(decryptAndUnseal(bytes, contentOf(path)).content, "content");
    } else {
      EXPECT_EQ(boxes.messages().at(0).title, "Invalid Password");
    }
  }
}

} // namespace
} // namespace orvelin::testing
