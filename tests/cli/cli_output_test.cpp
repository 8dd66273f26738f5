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

} // namespace
} // namespace orvelin::testing
