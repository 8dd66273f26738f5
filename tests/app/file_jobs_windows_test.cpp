// What the file jobs meet only on Windows: other programs' open handles, file attributes and the
// folder search's view of them, and ReplaceFileW with the rename that stands in for it.

#include "app/file_jobs.h"
#include "app/file_lookup.h"
#include "crypto/windows_api.h"
#include "file_system_faults.h"
#include "job_folder.h"
#include "tests/crypto/engine_runs.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orvelin::testing {
namespace {

namespace fs = std::filesystem;

using FileJobs = JobFolder;

DWORD attributesOf(const fs::path &file) { return GetFileAttributesW(file.c_str()); }

// The attributes a file reads back with once given these: what the file system keeps of them.
DWORD give(const fs::path &file, DWORD attributes) {
  SetFileAttributesW(file.c_str(), attributes);
  return attributesOf(file);
}

// Another program's handle on the file, for as long as this lives.
class OtherProgramsHandle {
public:
  OtherProgramsHandle(const fs::path &file, DWORD access, DWORD sharing)
      : handle_(CreateFileW(file.c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  OtherProgramsHandle(const OtherProgramsHandle &) = delete;
  OtherProgramsHandle &operator=(const OtherProgramsHandle &) = delete;
  ~OtherProgramsHandle() { CloseHandle(handle_); }

  [[nodiscard]] bool open() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
  HANDLE handle_;
};

TEST_F(FileJobs, AFileAnotherProgramHoldsIsLeftAsItWasWithTheSystemsReason) {
  const struct {
    const char *holding;
    DWORD access;
    DWORD sharing;
    std::string text; // after the path
  } cases[] = {
      // Opened with no sharing at all, the file cannot even be read.
      {"shared with nobody", GENERIC_READ | GENERIC_WRITE, 0, os::errorText(ERROR_SHARING_VIOLATION) + "."},
      // Shared for reading only, it is read, but cannot be replaced.
      {"shared for reading", GENERIC_READ, FILE_SHARE_READ,
       os::errorText(ERROR_SHARING_VIOLATION) + ". The file has not been changed."},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.holding);
    const fs::path path = put("held.txt", "in use");
    boxes.clear();
    bool encrypted = true;
    {
      const OtherProgramsHandle other(path, c.access, c.sharing);
      ASSERT_TRUE(other.open());
      encrypted = EncryptFile(path, u"pw");
    }
    EXPECT_FALSE(encrypted);
    EXPECT_EQ(contentOf(path), "in use");
    EXPECT_EQ(entries(), std::vector<std::string>{"held.txt"});
    const char *action = c.sharing == 0 ? "read" : "write";
    EXPECT_EQ(boxes.messages(), fileErrors(std::string("Cannot ") + action + " \"" + shown(path) + "\": " + c.text));
  }
}

TEST_F(FileJobs, TheFolderSearchPassesOverHiddenAndSystemFilesAndFolders) {
  const struct {
    const char *name;
    DWORD attributes; // 0 for a folder
    bool passedOverFinds;
    bool foundFinds;
  } cases[] = {
      {"ordinary.txt", FILE_ATTRIBUTE_ARCHIVE, true, true},
      {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, false, true},
      {"system.txt", FILE_ATTRIBUTE_SYSTEM, false, true},
      {"folder", 0, false, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = dir / c.name;
    if (c.attributes == 0) {
      ASSERT_TRUE(fs::create_directory(path));
    } else {
      put(c.name, "content");
      ASSERT_NE(give(path, c.attributes) & c.attributes, 0U);
    }
    EXPECT_EQ(namesExistingFile(path, HiddenFiles::PassedOver), c.passedOverFinds);
    EXPECT_EQ(namesExistingFile(path, HiddenFiles::Found), c.foundFinds);
  }
  // A pattern is no name, even where it matches a file.
  EXPECT_FALSE(namesExistingFile(dir / "ordin?ry.txt", HiddenFiles::Found));
  EXPECT_FALSE(namesExistingFile(dir / "*.txt", HiddenFiles::Found));
}

TEST_F(FileJobs, TheReplacedFileKeepsItsAttributesWhicheverWayItIsReplaced) {
  const struct {
    const char *way;
    DWORD replaceError; // what ReplaceFileW fails with; 0 when it works
    DWORD renameError;  // what the rename in its stead fails with; 0 when it works
    int renames;        // how many renames are tried
    DWORD reported;     // 0 when the file is replaced
  } ways[] = {
      {"ReplaceFileW", 0, 0, 0, 0},
      {"a rename where the file system lacks ReplaceFileW", ERROR_NOT_SUPPORTED, 0, 1, 0},
      {"a rename where ReplaceFileW removed the file but left the new one", ERROR_UNABLE_TO_MOVE_REPLACEMENT, 0, 1, 0},
      {"a failed rename after a missing ReplaceFileW", ERROR_NOT_SUPPORTED, ERROR_ACCESS_DENIED, 1,
       ERROR_ACCESS_DENIED},
      {"no rename where ReplaceFileW could not remove the file", ERROR_UNABLE_TO_REMOVE_REPLACED, 0, 0,
       ERROR_UNABLE_TO_REMOVE_REPLACED},
  };
  for (const auto &way : ways) {
    for (const DWORD chosen : {DWORD{FILE_ATTRIBUTE_ARCHIVE}, DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
                               DWORD{FILE_ATTRIBUTE_SYSTEM}}) {
      SCOPED_TRACE(::testing::Message() << way.way << ", attributes " << chosen);
      const fs::path path = put("kept.txt", "content");
      const DWORD before = give(path, chosen);
      boxes.clear();
      FileSystemFaults injected;
      if (way.replaceError != 0) {
        injected.fail(FileCall::ReplaceFileW, way.replaceError);
      }
      if (way.renameError != 0) {
        injected.fail(FileCall::MoveFileExW, way.renameError);
      }
      const bool encrypted = EncryptFile(path, u"pw");
      EXPECT_EQ(encrypted, way.reported == 0);
      EXPECT_EQ(contentOf(path), encrypted ? sealAndEncrypt("pw", "content") : "content");
      EXPECT_EQ(attributesOf(path), before);
      EXPECT_EQ(entries(), std::vector<std::string>{"kept.txt"});
      EXPECT_EQ(injected.count(FileCall::MoveFileExW), way.renames);
      if (!encrypted) {
        EXPECT_EQ(boxes.messages(), fileErrors("Cannot write \"" + shown(path) + "\": " + os::errorText(way.reported) +
                                               ". The file has not been changed."));
      }
    }
  }
}

} // namespace
} // namespace orvelin::testing
