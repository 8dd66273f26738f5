// orvelin-cli driven as a user would: the built program, real files, real exit statuses.

#include "cli/stop_request.h"
#include "cli_fixture.h"
#include "cli_process.h"

#include <QDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <thread>

namespace orvelin::testing {
namespace {

TEST_F(Cli, EncryptsAndDecryptsSeveralFilesWithAPasswordFromAFile) {
  const QString first = put("first.txt", "first content");
  // Named on purpose, a hidden file is taken like any other, unlike in the window.
  const QString second = put(".second.bin", std::string("\0\1\2", 3));
  const QString password = passwordFile("s3cret\n");

  const CliRun encrypted = runCli({"encrypt", "--password-file", password, first, second});
  EXPECT_EQ(encrypted.exitStatus, 0) << encrypted.err;
  EXPECT_EQ(encrypted.out,
            (first + ": File encryption complete!\n" + second + ": File encryption complete!\n").toStdString());
  EXPECT_EQ(encrypted.err, "");
  EXPECT_EQ(contentOf(first), sealAndEncrypt("s3cret", "first content", boxes))
      << "the line ending is not the password's";

  const CliRun decrypted = runCli({"decrypt", "--quiet", "--password-file", password, first, second});
  EXPECT_EQ(decrypted.exitStatus, 0) << decrypted.err;
  EXPECT_EQ(decrypted.out, "");
  EXPECT_EQ(contentOf(first), "first content");
  EXPECT_EQ(contentOf(second), std::string("\0\1\2", 3));
}

TEST_F(Cli, ReadsThePasswordFromStandardInputWithoutItsLineEnding) {
  const QString file = put("file.txt", "content");
  EXPECT_EQ(runCli({"encrypt", "--password-stdin", file}, "caf\xc3\xa9\r\n").exitStatus, 0);
  EXPECT_EQ(contentOf(file), sealAndEncrypt("caf\xe9", "content", boxes)) << "UTF-8 in, Windows-1252 to the service";
}

TEST_F(Cli, AWrongPasswordLeavesTheFileUntouchedAndFails) {
  const QString file = put("file.txt", sealAndEncrypt("right", "content", boxes));
  const std::string before = contentOf(file);
  const CliRun run = runCli({"decrypt", "--password-stdin", file}, "wrong\n");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(contentOf(file), before);
  EXPECT_EQ(run.out, "");
  const std::string meaning = file.toStdString() +
                              ": the password is wrong, or the file is not an encrypted file of this format, or it "
                              "is damaged. The file has not been changed.\n";
  EXPECT_TRUE(run.err == file.toStdString() + ": Error -2146893819 during CryptDecrypt!\n" + meaning ||
              run.err == file.toStdString() + ": File has been corrupted since original encryption!\n" + meaning)
      << run.err;
}

TEST_F(Cli, APasswordOfMoreThan1024BytesIsRefusedNotCutShort) {
  const std::string longest(1024, 'p');
  const QString file = put("file.txt", "content");
  const CliRun encrypted = runCli({"encrypt", "--password-stdin", file}, QByteArray::fromStdString(longest + "\r\n"));
  EXPECT_EQ(encrypted.exitStatus, 0) << encrypted.err;
  const std::string before = contentOf(file);
  EXPECT_EQ(before, sealAndEncrypt(longest, "content", boxes));

  // Cut to 1024 bytes, one byte more would decrypt the file.
  const std::pair<CliRun, int> refusals[] = {
      {runCli({"decrypt", "--password-stdin", file}, QByteArray::fromStdString(longest + "p\n")), 2},
      {runCliOnTerminal({"decrypt", file}, {longest + "p"}), 1},
  };
  for (const auto &[run, exitStatus] : refusals) {
    EXPECT_EQ(run.exitStatus, exitStatus);
    EXPECT_NE(run.err.find("the password is longer than 1024 bytes; no file was changed"), std::string::npos)
        << run.err;
  }
  EXPECT_EQ(contentOf(file), before);
}

TEST_F(Cli, GoesOnPastABadFileAndReportsEachOnItsOwnLine) {
  const QString missing = dir.filePath("missing.txt");
  const QString good = put("good.txt", "good");
  const QString wildcard = dir.filePath("*.txt");
  const CliRun run = runCli({"encrypt", "--password-stdin", missing, good, wildcard, dir.path()}, "pw\n");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, (good + ": File encryption complete!\n").toStdString());
  EXPECT_EQ(run.err, (missing + ": Invalid file name, or file missing!\n" + wildcard +
                      ": Invalid file name, or file missing!\n" + dir.path() +
                      ": Invalid file name, or file missing!\n" + dir.path() + ": it is a folder, not a file\n")
                         .toStdString());
  EXPECT_EQ(contentOf(good), sealAndEncrypt("pw", "good", boxes));
}

TEST_F(Cli, ABatchPrintsEachFilesLinesWholeAndInTheOrderNamed) {
  // The large files come first: run beside them, the small ones end long before.
  const std::string largeContent(8 << 20, 'L');
  const QString large = put("large.bin", sealAndEncrypt("pw", largeContent, boxes));
  const QString wrong = put("wrong.bin", sealAndEncrypt("other", largeContent, boxes));
  const QString missing = dir.filePath("missing.txt");
  const QString small = put("small.txt", sealAndEncrypt("pw", "small", boxes));
  const std::string wrongBefore = contentOf(wrong);

  const CliRun run = runCli({"decrypt", "--password-stdin", large, wrong, missing, small}, "pw\n");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, (large + ": File decryption complete!\n" + small + ": File decryption complete!\n").toStdString());
  const std::string missingLine = (missing + ": Invalid file name, or file missing!\n").toStdString();
  const std::string meaning = wrong.toStdString() +
                              ": the password is wrong, or the file is not an encrypted file of this format, or it "
                              "is damaged. The file has not been changed.\n";
  EXPECT_TRUE(run.err == wrong.toStdString() + ": Error -2146893819 during CryptDecrypt!\n" + meaning + missingLine ||
              run.err == wrong.toStdString() + ": File has been corrupted since original encryption!\n" + meaning +
                             missingLine)
      << run.err;
  EXPECT_EQ(contentOf(large), largeContent);
  EXPECT_EQ(contentOf(wrong), wrongBefore);
  EXPECT_EQ(contentOf(small), "small");
}

TEST_F(Cli, AFileNamedTwiceIsRewrittenTwiceOneJobAfterTheOther) {
  // Large enough for two jobs on it at once to overlap, which would encrypt it only once.
  const std::string content(4 << 20, 'c');
  const QString file = put("file.bin", content);
  const QString link = dir.filePath("link.bin");
  std::filesystem::create_symlink(file.toStdString(), link.toStdString());
  const std::string twice = sealAndEncrypt("pw", sealAndEncrypt("pw", content, boxes), boxes);
  const std::pair<const char *, QString> otherNames[] = {
      {"the same name", file},
      {"a link to it", link},
      {"a longer path to it", dir.path() + "/./file.bin"},
  };
  for (const auto &[what, otherName] : otherNames) {
    SCOPED_TRACE(what);
    const CliRun encrypted = runCli({"encrypt", "--quiet", "--password-stdin", file, otherName}, "pw\n");
    EXPECT_EQ(encrypted.exitStatus, 0) << encrypted.err;
    EXPECT_TRUE(contentOf(file) == twice) << "encrypted once, or corrupted";
    const CliRun decrypted = runCli({"decrypt", "--quiet", "--password-stdin", otherName, file}, "pw\n");
    EXPECT_EQ(decrypted.exitStatus, 0) << decrypted.err;
    EXPECT_TRUE(contentOf(file) == content);
  }
}

TEST_F(Cli, AFileLargerThanItsMemoryIsEncryptedAndDecryptedBack) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address space cannot be limited under AddressSanitizer";
#endif
  constexpr std::size_t mebibyte = std::size_t{1} << 20;
  // Sparse, so that it costs no disk: 128 MiB, more than all the program may map.
  constexpr std::size_t largeSize = 128 * mebibyte;
  const QString large = put("large.bin", "");
  std::filesystem::resize_file(large.toStdString(), largeSize);
  for (const char *command : {"encrypt", "decrypt"}) {
    SCOPED_TRACE(command);
    const CliRun run = runCli({command, "--password-stdin", large}, "pw\n", {.addressSpace = 96 * mebibyte});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
  }
  EXPECT_TRUE(contentOf(large) == std::string(largeSize, '\0'));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "a temporary file was left";
}

TEST_F(Cli, AsksTwiceOnTheTerminalToEncrypt) {
  const QString file = put("file.txt", "content");
  const CliRun run = runCliOnTerminal({"encrypt", file}, {"typed secret", "typed secret"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_NE(run.err.find("Password: "), std::string::npos);
  EXPECT_NE(run.err.find("Confirm password: "), std::string::npos);
  EXPECT_EQ(run.err.find("typed secret"), std::string::npos) << "the password is not echoed";
  EXPECT_EQ(contentOf(file), sealAndEncrypt("typed secret", "content", boxes));
}

TEST_F(Cli, OnATerminalALongJobShowsItsProgressMovingThenItsResultLine) {
  // Sparse, yet as long to encrypt as any 64 MiB: far beyond the half second before progress shows.
  const QString password = passwordFile("pw\n");
  const QString file = put("large.bin", "");
  std::filesystem::resize_file(file.toStdString(), std::size_t{64} << 20);
  const std::string result = (file + ": File encryption complete!\r\n").toStdString();
  const std::pair<QStringList, bool> cases[] = {
      {{"encrypt", "--password-file", password, file}, true},
      {{"decrypt", "--quiet", "--password-file", password, file}, false},
  };
  for (const auto &[arguments, shown] : cases) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const CliRun run = runCliOnTerminal(arguments, {});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    std::set<int> percentages;
    const std::regex line(file.toStdString() + ": +([0-9]+)% +[0-9.]+ MiB/s +[0-9]+:[0-9]{2} left");
    for (auto match = std::sregex_iterator(run.err.begin(), run.err.end(), line); match != std::sregex_iterator();
         ++match) {
      percentages.insert(std::stoi((*match)[1]));
    }
    if (shown) {
      EXPECT_GT(percentages.size(), 1U) << run.err;
      EXPECT_TRUE(run.err.ends_with("\x1b[J" + result)) << "the last progress line is replaced: " << run.err;
    } else {
      EXPECT_EQ(run.err, "") << "--quiet shows no progress";
    }
  }
}

// Bytes the program has read through read(2) and its kin so far, by the system's count.
std::uint64_t bytesRead(pid_t program) {
  std::ifstream io("/proc/" + std::to_string(program) + "/io");
  std::string field;
  std::uint64_t value = 0;
  while (io >> field >> value) {
    if (field == "rchar:") {
      return value;
    }
  }
  return 0;
}

// Until the program has taken the signal sent to it, or has ended: a signal sent while the same one
// is still pending would merge with it.
void awaitDelivery(pid_t program, int signal) {
  const std::uint64_t bit = std::uint64_t{1} << (signal - 1);
  for (;;) {
    std::ifstream status("/proc/" + std::to_string(program) + "/status");
    std::string line;
    bool pending = false;
    while (std::getline(status, line)) {
      if (line.starts_with("State:") && line.find('Z') != std::string::npos) {
        return;
      }
      if (line.starts_with("ShdPnd:")) {
        pending = (std::stoull(line.substr(7), nullptr, 16) & bit) != 0;
      }
    }
    if (!pending) {
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

TEST_F(Cli, ASignalStopsTheBatchWithEveryFileWholeAndNamesTheFilesNotDone) {
  const QString password = passwordFile("pw\n");
  const QString large = slowFile();
  const QString later = put("later.txt", "later");
  struct Case {
    cli::StopCause cause;
    int second; // sent at once after the first: while the program is stopping, it ends it there
    bool quiet; // without progress lines, the jobs are told nothing else
  };
  const Case cases[] = {
      {{"SIGINT", 128 + SIGINT, SIGINT}, 0, false},
      {{"SIGTERM", 128 + SIGTERM, SIGTERM}, 0, true},
      {{"SIGINT", 128 + SIGINT, SIGINT}, SIGTERM, false},
  };
  for (const Case &each : cases) {
    const auto &[cause, second, quiet] = each;
    SCOPED_TRACE(std::string(cause.name) + (second != 0 ? " and another" : "") + (quiet ? ", quiet" : ""));
    // Done long before the signal, beside the large file's job; the large file's second job waits
    // for its first, and the last file for both.
    const QString done = put("done.txt", "done");
    QStringList arguments{"encrypt", "--password-file", password, done, large, large, later};
    if (quiet) {
      arguments.insert(1, "--quiet");
    }
    bool sent = false;
    const CliRun run = runCliOnTerminal(arguments, {}, {}, [&](pid_t program, const std::string & /*shown*/) {
      if (!sent && bytesRead(program) >= slowSize) {
        // Two signals do not merge into one, as a second of the same may while the first waits;
        // both arrive before the program, stopping at its next slice, can say anything.
        ::kill(program, each.cause.signal);
        if (each.second != 0) {
          ::kill(program, each.second);
        }
        awaitDelivery(program, each.cause.signal);
        sent = true;
      }
    });
    ASSERT_TRUE(sent) << run.err;
    if (second == 0) {
      EXPECT_EQ(run.signal, cause.signal) << "ended by its signal, once it has cleaned up: " << run.err;
      EXPECT_EQ(run.exitStatus, cause.exitStatus) << run.err;
    } else {
      // By whichever of the two its handler met second, on whichever thread took it.
      EXPECT_TRUE(run.signal == cause.signal || run.signal == second) << run.err;
    }
    EXPECT_EQ(contentOf(done), sealAndEncrypt("pw", "done", boxes));
    EXPECT_TRUE(contentOf(large) == std::string(slowSize, '\0')) << "the large file was changed";
    EXPECT_EQ(contentOf(later), "later");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4) << "a temporary file was left";
    if (second != 0) {
      EXPECT_EQ(run.err.find(cli::notDoneText(encryptionTexts)), std::string::npos) << "ended at once: " << run.err;
      continue;
    }
    const std::string notDone = ": " + cli::notDoneText(encryptionTexts) + "\r\n";
    const std::string largeNotDone = large.toStdString() + notDone;
    const std::size_t first = run.err.find(largeNotDone);
    EXPECT_NE(first, std::string::npos) << run.err;
    EXPECT_NE(run.err.find(largeNotDone, first + 1), std::string::npos) << "each job of it is named: " << run.err;
    EXPECT_NE(run.err.find(later.toStdString() + notDone), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find(done.toStdString() + notDone), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.ends_with(cli::stoppedText(cause, encryptionTexts, 3, 4) + "\r\n")) << run.err;
    EXPECT_EQ(run.err.find("Cannot"), std::string::npos) << "a stopped job is no failure: " << run.err;
  }
}

// The process a shell started last, while it waits for it.
std::optional<pid_t> childOf(pid_t shell) {
  std::ifstream children("/proc/" + std::to_string(shell) + "/task/" + std::to_string(shell) + "/children");
  pid_t child = 0;
  return children >> child ? std::optional(child) : std::nullopt;
}

TEST_F(Cli, CtrlCStopsTheShellLoopThatRunsItToo) {
  // A shell goes on with its loop after a program that ended as it chose on a Ctrl-C, and stops
  // only when the signal ended the program.
  const QString password = passwordFile("pw\n");
  const QString large = slowFile();
  const QString after = put("after.txt", "after");
  const std::string loop = R"(pw=$1; shift; for f in "$@"; do "$0" encrypt --quiet --password-file "$pw" "$f"; done
                             echo the loop went on)";
  bool sent = false;
  const CliRun run = runOnTerminal(
      {"/bin/bash", "-c", loop, cliPath(), password.toStdString(), large.toStdString(), after.toStdString()}, {}, {},
      [&](pid_t shell, const std::string & /*shown*/) {
        const std::optional<pid_t> program = childOf(shell);
        if (!sent && program && bytesRead(*program) >= slowSize) {
          ::kill(-shell, SIGINT); // the terminal's foreground process group, as Ctrl-C there signals it
          sent = true;
        }
      });
  ASSERT_TRUE(sent) << run.err;
  EXPECT_EQ(run.signal, SIGINT) << run.err;
  EXPECT_EQ(run.err.find("the loop went on"), std::string::npos) << run.err;
  EXPECT_EQ(contentOf(after), "after");
  EXPECT_TRUE(contentOf(large) == std::string(slowSize, '\0')) << "the large file was changed";
}

TEST_F(Cli, WarnsThatAFilesOtherNamesKeepTheOldContent) {
  const QString password = passwordFile("pw\n");
  const QString file = put("file.txt", "content");
  for (const int others : {1, 2}) {
    SCOPED_TRACE(others);
    put("file.txt", "content");
    for (int i = 0; i < others; ++i) {
      const std::string name = dir.filePath("other" + QString::number(i)).toStdString();
      std::filesystem::remove(name);
      std::filesystem::create_hard_link(file.toStdString(), name);
    }
    const CliRun run = runCli({"encrypt", "--password-file", password, file});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(contentOf(file), sealAndEncrypt("pw", "content", boxes));
    EXPECT_EQ(contentOf(dir.filePath("other0")), "content");
    EXPECT_EQ(run.err,
              file.toStdString() + ": warning: the file has " + std::to_string(others) +
                  (others == 1 ? " other name (a hard link), which keeps" : " other names (hard links), which keep") +
                  " its old content; only this name holds the new one\n");
  }
  // Once rewritten, the name has no other.
  const CliRun again = runCli({"decrypt", "--password-file", password, file});
  EXPECT_EQ(again.err, "");
}

TEST_F(Cli, AMismatchedConfirmationTouchesNoFile) {
  const QString file = put("file.txt", "content");
  const CliRun run = runCliOnTerminal({"encrypt", file}, {"one", "other"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_NE(run.err.find("the passwords do not match; no file was changed"), std::string::npos) << run.err;
  EXPECT_EQ(contentOf(file), "content");
}

TEST_F(Cli, AsksOnceOnTheTerminalToDecrypt) {
  const QString file = put("file.txt", sealAndEncrypt("pw", "content", boxes));
  const CliRun run = runCliOnTerminal({"decrypt", file}, {"pw"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err.find("Confirm"), std::string::npos);
  EXPECT_EQ(contentOf(file), "content");
}

TEST_F(Cli, WithoutATerminalOrAPasswordOptionNothingIsTouched) {
  const QString file = put("file.txt", "content");
  const CliRun run = runCli({"encrypt", file});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.err, "orvelin-cli: no terminal to ask the password on; use --password-file or --password-stdin\n");
  EXPECT_EQ(contentOf(file), "content");
}

TEST_F(Cli, AnEmptyPasswordIsRefusedAsInTheWindow) {
  const QString file = put("file.txt", "content");
  const CliRun run = runCli({"decrypt", "--password-stdin", file}, "\n");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "orvelin-cli: Password required for decrypting file!\n");
  EXPECT_EQ(contentOf(file), "content");
}

TEST_F(Cli, UsageErrorsExitWithTwoAndTouchNothing) {
  const QString file = put("file.txt", "content");
  const std::pair<QStringList, const char *> cases[] = {
      {{}, "missing command"},
      {{"scramble", file}, "unknown command 'scramble'"},
      {{"encrypt"}, "no file given"},
      {{"encrypt", "--password-stdin", "--password-file", file, file}, "cannot be used together"},
      {{"encrypt", "--frobnicate", file}, "frobnicate"},
      {{"encrypt", "--password-file", dir.filePath("none"), file}, "cannot read the password file"},
  };
  for (const auto &[arguments, problem] : cases) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const CliRun run = runCli(arguments, "pw\n");
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find(problem), std::string::npos) << run.err;
  }
  EXPECT_EQ(contentOf(file), "content");
}

TEST_F(Cli, HelpAndVersion) {
  const CliRun help = runCli({"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_NE(help.out.find("--password-file"), std::string::npos);
  EXPECT_NE(help.out.find("--password-stdin"), std::string::npos);
  const CliRun version = runCli({"--version"});
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_EQ(version.out, "orvelin-cli " ORVELIN_VERSION "\n");
}

} // namespace
} // namespace orvelin::testing
