// What orvelin-cli prints: names that cannot act on the terminal, the lines it adds to the window's
// boxes, and a standard output that cannot be written.

#include "cli_fixture.h"
#include "cli_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace orvelin::testing {
namespace {

constexpr const char *refusalMeaning = "the password is wrong, or the file is not an encrypted file of this format, or "
                                       "it is damaged. The file has not been changed.";

TEST_F(Cli, ARefusedDecryptionSaysWhatTheRefusalMeans) {
  const std::string encrypted = sealAndEncrypt("right", "content", boxes);
  struct Case {
    const char *name;
    std::string bytes;
    std::vector<std::string> boxes; // the engine's, any one of them
  };
  const std::string badData = "Error -2146893819 during CryptDecrypt!";
  const std::string corrupted = "File has been corrupted since original encryption!";
  const Case cases[] = {
      {"wrong-password.bin", encrypted, {badData, corrupted}},
      {"random.bin",
       std::string("\x93\x1f\xc2\x07\x5e\xaa\x01\x6b\xd4\x38\x70\x0e\x9c\x25\xf1\x46", 16),
       {badData, corrupted}},
      {"truncated.bin", sealAndEncrypt("pw", "content", boxes).substr(0, 13), {badData}},
      {"plain.txt", "never encrypted\n", {badData}},
      {"damaged-seal.bin", encryptRaw("pw", "not a sealed payload", boxes), {corrupted}},
      {"empty.bin", "", {"Error -2146893820 during CryptDecrypt!"}},
  };
  QStringList arguments{"decrypt", "--password-stdin"};
  for (const Case &each : cases) {
    arguments << put(each.name, each.bytes);
  }
  const CliRun run = runCli(arguments, "pw\n");
  EXPECT_EQ(run.exitStatus, 1);
  std::string expected;
  for (const Case &each : cases) {
    SCOPED_TRACE(each.name);
    const std::string file = dir.filePath(each.name).toStdString();
    const auto shown = std::ranges::find_if(each.boxes, [&](const std::string &box) {
      return run.err.find(file + ": " + box + "\n" + file + ": " + refusalMeaning + "\n") != std::string::npos;
    });
    EXPECT_NE(shown, each.boxes.end()) << run.err;
    expected += file + ": " + (shown == each.boxes.end() ? "?" : *shown) + "\n" + file + ": " + refusalMeaning + "\n";
    EXPECT_EQ(contentOf(dir.filePath(each.name)), each.bytes);
  }
  EXPECT_EQ(run.err, expected) << "nothing else is said, in the order named";
}

TEST_F(Cli, AFolderAFifoOrADeviceGetsTheWindowsBoxAndWhatItIs) {
  const QString folder = dir.filePath("folder");
  std::filesystem::create_directory(folder.toStdString());
  const QString linkToFolder = dir.filePath("link-to-folder");
  std::filesystem::create_directory_symlink(folder.toStdString(), linkToFolder.toStdString());
  const QString fifo = dir.filePath("fifo");
  ASSERT_EQ(::mkfifo(fifo.toStdString().c_str(), 0600), 0);
  const std::pair<QString, const char *> cases[] = {
      {folder, "it is a folder, not a file"},
      {linkToFolder, "it is a folder, not a file"},
      {fifo, "it is a FIFO (a named pipe), not a file"},
      {"/dev/null", "it is a device, not a file"},
  };
  QStringList arguments{"encrypt", "--password-stdin"};
  std::string expected;
  for (const auto &[name, kind] : cases) {
    arguments << name;
    expected += (name + ": Invalid file name, or file missing!\n" + name + ": " + kind + "\n").toStdString();
  }
  const CliRun run = runCli(arguments, "pw\n");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, expected);
}

TEST_F(Cli, AWriteErrorOnStandardOutputFailsTheRunAndIsSaidOnce) {
  const QString password = passwordFile("pw\n");
  const QString first = put("first.txt", "first");
  const QString second = put("second.txt", "second");
  const std::pair<const char *, QStringList> cases[] = {
      {"two files' lines", {"encrypt", "--password-file", password, first, second}},
      {"the version", {"--version"}},
      {"the help", {"--help"}},
  };
  for (const auto &[what, arguments] : cases) {
    SCOPED_TRACE(what);
    const CliRun run = runCli(arguments, {}, {.standardOutput = "/dev/full"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, "orvelin-cli: cannot write to standard output: No space left on device\n");
  }
  EXPECT_EQ(contentOf(first), sealAndEncrypt("pw", "first", boxes)) << "the files are rewritten all the same";
  EXPECT_EQ(contentOf(second), sealAndEncrypt("pw", "second", boxes));
}

// On a terminal, since a name in any bytes can be put on a command line there (standard output and
// error both show on it, each line ending "\r\n").
TEST_F(Cli, ControlCharactersInANameArePrintedEscapedSoThatTheyCannotActOnTheTerminal) {
  const std::string folder = dir.path().toStdString() + "/";
  const std::string password = passwordFile("pw\n").toStdString();
  struct Case {
    std::string name;
    std::string shown;
  };
  const Case rewritten[] = {
      {"clear\x1b[2Jscreen", "clear\\x1B[2Jscreen"},
      {"line\nfeed", "line\\x0Afeed"},
      {"tab\tand\rreturn", "tab\\x09and\\x0Dreturn"},
      {"delete\x7f", "delete\\x7F"},
      {"c1\xc2\x9b"
       "31m",
       "c1\\xC2\\x9B31m"},
      {"lone\xff"
       "byte",
       "lone\\xFFbyte"},
      {"r\xc3\xa9sum\xc3\xa9 \xe2\x82\xac", "r\xc3\xa9sum\xc3\xa9 \xe2\x82\xac"},
  };
  std::vector<std::string> words{cliPath(), "encrypt", "--password-file", password};
  std::string expected;
  for (const Case &each : rewritten) {
    writeBytes(folder + each.name, "content");
    words.push_back(folder + each.name);
    expected += folder + each.shown + ": File encryption complete!\r\n";
  }
  // The name inside a box's text too.
  const std::string readOnly = "locked\x1b]0;title\x07";
  writeBytes(folder + readOnly, "");
  std::filesystem::permissions(folder + readOnly, std::filesystem::perms::owner_read);
  words.push_back(folder + readOnly);
  const std::string shownReadOnly = folder + "locked\\x1B]0;title\\x07";
  expected += shownReadOnly + ": Cannot change \"" + shownReadOnly + "\": the file is read-only.\r\n";
  const CliRun run = runOnTerminal(words, {});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, expected);
}

TEST_F(Cli, AProgressLineShowsItsNameEscapedToo) {
  const QString password = passwordFile("pw\n");
  const std::string name = dir.path().toStdString() + "/large\x1b[2J.bin";
  writeBytes(name, "");
  // Sparse, yet as long to encrypt as any 32 MiB: beyond the half second before progress shows.
  std::filesystem::resize_file(name, std::uintmax_t{32} << 20);
  const CliRun run = runOnTerminal({cliPath(), "encrypt", "--password-file", password.toStdString(), name}, {});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  const std::string shown = dir.path().toStdString() + "/large\\x1B[2J.bin";
  const std::regex progress(" *[0-9]+% ");
  bool progressShown = false;
  for (std::size_t at = run.err.find(shown + ": "); at != std::string::npos; at = run.err.find(shown + ": ", at + 1)) {
    const std::string after = run.err.substr(at + shown.size() + 1, 6);
    progressShown = progressShown || std::regex_search(after, progress, std::regex_constants::match_continuous);
  }
  EXPECT_TRUE(progressShown) << run.err;
  EXPECT_EQ(run.err.find(name), std::string::npos) << run.err;
}

} // namespace
} // namespace orvelin::testing
