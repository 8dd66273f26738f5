// Where orvelin-cli takes the password from, and what it says when a source gives none it can use.

#include "cli_fixture.h"
#include "cli_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace orvelin::testing {
namespace {

TEST_F(Cli, ThePasswordFileIsSkippedUnderAnyOfItsNames) {
  const std::string passwordBytes = "pw\n";
  const QString password = dir.filePath("password.txt");
  const QString hardLink = dir.filePath("hard-link.txt");
  const QString symbolicLink = dir.filePath("symbolic-link.txt");
  struct Case {
    const char *what;
    const char *command;
    QString name;
  };
  const Case cases[] = {
      {"its own name", "encrypt", password},        {"a hard link", "encrypt", hardLink},
      {"a symbolic link", "encrypt", symbolicLink}, {"a longer path", "encrypt", dir.path() + "/./password.txt"},
      {"decrypting", "decrypt", password},
  };
  for (const Case &each : cases) {
    SCOPED_TRACE(each.what);
    // Each case on fresh names, whatever the one before did to them.
    for (const QString &name : {password, hardLink, symbolicLink}) {
      std::filesystem::remove(name.toStdString());
    }
    passwordFile(passwordBytes);
    std::filesystem::create_hard_link(password.toStdString(), hardLink.toStdString());
    std::filesystem::create_symlink(password.toStdString(), symbolicLink.toStdString());
    const std::string sealed = sealAndEncrypt("pw", "other", boxes);
    const QString other = put("other.txt", sealed);
    const CliRun run = runCli({each.command, "--quiet", "--password-file", password, each.name, other});
    EXPECT_EQ(run.exitStatus, 1) << "not every file named was rewritten: " << run.err;
    EXPECT_EQ(run.err,
              (each.name + ": skipped: this is the password file, which orvelin-cli never rewrites (encrypted, "
                           "it would be locked by the password it holds). The file has not been changed.\n")
                  .toStdString());
    EXPECT_EQ(contentOf(password), passwordBytes);
    EXPECT_EQ(contentOf(other), std::string(each.command) == "encrypt" ? sealAndEncrypt("pw", sealed, boxes) : "other");
  }
}

TEST_F(Cli, ALeadingByteOrderMarkIsNoPartOfThePassword) {
  const std::string mark = "\xEF\xBB\xBF";
  const std::string longest(1024, 'p');
  struct Case {
    const char *what;
    std::string bytes;
    bool fromFile; // else from standard input
    std::string password;
  };
  const Case cases[] = {
      {"a file as Notepad writes it", mark + "pw\r\n", true, "pw"},
      {"a file without a line ending", mark + "pw", true, "pw"},
      {"standard input", mark + "pw\n", false, "pw"},
      {"the longest password after it", mark + longest + "\n", true, longest},
  };
  for (const Case &each : cases) {
    SCOPED_TRACE(each.what);
    const QString file = put("file.txt", "content");
    const CliRun run = each.fromFile
                           ? runCli({"encrypt", "--password-file", passwordFile(each.bytes), file})
                           : runCli({"encrypt", "--password-stdin", file}, QByteArray::fromStdString(each.bytes));
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(contentOf(file), sealAndEncrypt(each.password, "content", boxes));
  }
}

TEST_F(Cli, APasswordSourceWithoutAUsablePasswordIsSaidOnceAndNoFileIsTouched) {
  const QString folder = dir.path();
  const std::string notInWindows1252 = "\xC4\x80"; // "Ā", U+0100
  struct Case {
    const char *what;
    std::string bytes;
    std::string line;
    int exitStatus;
    bool fromFile; // else from standard input
  };
  const Case cases[] = {
      {"an empty file", "",
       "the password file '" + dir.filePath("password.txt").toStdString() + "' is empty; no file was changed", 2, true},
      {"invalid UTF-8 in a file", "p\xFFw\n", "the password is not valid UTF-8; no file was changed", 2, true},
      {"invalid UTF-8 on standard input", "\xC3(\n", "the password is not valid UTF-8; no file was changed", 2, false},
      {"a character Windows-1252 lacks", notInWindows1252 + "\n",
       "The character \"" + notInWindows1252 +
           "\" (U+0100) cannot be used in a password: encrypted files take passwords in the Windows-1252 character "
           "set, which does not have it. No file was changed.",
       1, true},
  };
  for (const Case &each : cases) {
    SCOPED_TRACE(each.what);
    const QString first = put("first.txt", "first");
    const QString second = put("second.txt", "second");
    const CliRun run =
        each.fromFile ? runCli({"encrypt", "--password-file", passwordFile(each.bytes), first, second})
                      : runCli({"encrypt", "--password-stdin", first, second}, QByteArray::fromStdString(each.bytes));
    EXPECT_EQ(run.exitStatus, each.exitStatus);
    EXPECT_EQ(run.err, "orvelin-cli: " + each.line + "\n");
    EXPECT_EQ(contentOf(first), "first");
    EXPECT_EQ(contentOf(second), "second");
  }
  // A file that cannot be read is not called empty.
  const CliRun unreadable = runCli({"encrypt", "--password-file", folder, dir.filePath("first.txt")});
  EXPECT_EQ(unreadable.exitStatus, 2);
  EXPECT_EQ(unreadable.err, "orvelin-cli: cannot read the password file '" + folder.toStdString() + "'\n");
}

} // namespace
} // namespace orvelin::testing
