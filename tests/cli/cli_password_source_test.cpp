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

TEST_F(Cli, APasswordSourceGivesThePasswordWithoutAByteOrderMarkOrIsRefusedOnceWithNoFileTouched) {
  const QString folder = dir.path();
  const std::string mark = "\xEF\xBB\xBF";
  const std::string longest(1024, 'p');
  const std::string notInWindows1252 = "\xC4\x80"; // "Ā", U+0100
  struct Case {
    const char *what;
    std::string bytes;
    std::string password; // empty where the source is refused
    std::string line;     // what orvelin-cli says of a refused source
    int exitStatus;
    bool fromFile; // else from standard input
  };
  const std::string badUtf8 = "the password is not valid UTF-8; no file was changed";
  const Case cases[] = {
      {"a file as Notepad writes it", mark + "pw\r\n", "pw", "", 0, true},
      {"a file without a line ending", mark + "pw", "pw", "", 0, true},
      {"standard input", mark + "pw\n", "pw", "", 0, false},
      {"the longest password after a mark", mark + longest + "\n", longest, "", 0, true},
      {"an empty file", "", "",
       "the password file '" + dir.filePath("password.txt").toStdString() + "' is empty; no file was changed", 2, true},
      {"invalid UTF-8 in a file", "p\xFFw\n", "", badUtf8, 2, true},
      {"invalid UTF-8 on standard input", "\xC3(\n", "", badUtf8, 2, false},
      {"a character Windows-1252 lacks", notInWindows1252 + "\n", "",
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
        each.fromFile
            ? runCli({"encrypt", "--quiet", "--password-file", passwordFile(each.bytes), first, second})
            : runCli({"encrypt", "--quiet", "--password-stdin", first, second}, QByteArray::fromStdString(each.bytes));
    EXPECT_EQ(run.exitStatus, each.exitStatus);
    const bool refused = each.password.empty();
    EXPECT_EQ(run.err, refused ? "orvelin-cli: " + each.line + "\n" : "");
    EXPECT_EQ(contentOf(first), refused ? "first" : sealAndEncrypt(each.password, "first", boxes));
    EXPECT_EQ(contentOf(second), refused ? "second" : sealAndEncrypt(each.password, "second", boxes));
  }
  // A file that cannot be read is not called empty.
  const CliRun unreadable = runCli({"encrypt", "--password-file", folder, dir.filePath("first.txt")});
  EXPECT_EQ(unreadable.exitStatus, 2);
  EXPECT_EQ(unreadable.err, "orvelin-cli: cannot read the password file '" + folder.toStdString() + "'\n");
}

} // namespace
} // namespace orvelin::testing
