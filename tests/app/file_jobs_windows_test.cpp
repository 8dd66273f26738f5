// What the file jobs meet only on Windows: other programs' open handles, file attributes and the
// folder search's view of them, and ReplaceFileW with the rename that stands in for it.

#include "app/file_jobs.h"
#include "app/file_lookup.h"
#include "base/windows_api.h"
#include "file_system_faults.h"
#include "job_folder.h"
#include "tests/crypto/engine_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>

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
      encrypted = EncryptFile(path, u"pw", boxes);
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
    int renames;        // how many renames are tried
  } ways[] = {
      {"ReplaceFileW", 0, 0},
      {"a rename where the file system lacks ReplaceFileW", ERROR_NOT_SUPPORTED, 1},
  };
  for (const auto &way : ways) {
    for (const DWORD chosen : {DWORD{FILE_ATTRIBUTE_ARCHIVE}, DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
                               DWORD{FILE_ATTRIBUTE_SYSTEM}}) {
      SCOPED_TRACE(::testing::Message() << way.way << ", attributes " << chosen);
      const fs::path path = put("kept.txt", "content");
      const DWORD before = give(path, chosen);
      FileSystemFaults injected;
      if (way.replaceError != 0) {
        injected.fail(FileCall::ReplaceFileW, way.replaceError);
      }
      EXPECT_TRUE(EncryptFile(path, u"pw", boxes));
      EXPECT_EQ(contentOf(path), sealAndEncrypt("pw", "content", boxes));
      EXPECT_EQ(attributesOf(path), before);
      EXPECT_EQ(entries(), std::vector<std::string>{"kept.txt"});
      EXPECT_EQ(injected.count(FileCall::MoveFileExW), way.renames);
    }
  }
  EXPECT_TRUE(boxes.messages().empty());
}

// What a file holds after a job that rewrites it.
enum class Holds { OldContent, NewContent, Nothing, SomethingElse };

void PrintTo(Holds holds, std::ostream *out) {
  constexpr std::array<const char *, 4> names = {"the old content", "the new content", "nothing", "something else"};
  *out << names.at(static_cast<std::size_t>(holds));
}

// The text with each {placeholder} in it replaced by its value.
std::string filledIn(std::string text, const std::vector<std::pair<std::string, std::string>> &values) {
  for (const auto &[placeholder, value] : values) {
    if (const std::size_t at = text.find(placeholder); at != std::string::npos) {
      text.replace(at, placeholder.size(), value);
    }
  }
  return text;
}

TEST_F(FileJobs, AReplacementStoppedHalfWayLeavesAWholeFileAndSaysWhereEachContentIs) {
  const std::string oldContent = "the user's own words";
  const std::string newContent = sealAndEncrypt("pw", oldContent, boxes);
  const auto holding = [&](const fs::path &file) {
    if (!fs::exists(file)) {
      return Holds::Nothing;
    }
    const std::string content = contentOf(file);
    return content == oldContent ? Holds::OldContent
                                 : (content == newContent ? Holds::NewContent : Holds::SomethingElse);
  };
  // {path}, {old} and {new} stand for the file and the names the old and the new content are left under.
  const auto notChanged = [](DWORD reason) {
    return "Cannot write \"{path}\": " + os::errorText(reason) + ". The file has not been changed.";
  };
  const auto notThere = [](DWORD reason) {
    return "Cannot write \"{path}\": " + os::errorText(reason) +
           ". The file is no longer there; its new content is in \"{new}\"";
  };
  constexpr DWORD denied = ERROR_ACCESS_DENIED;
  const struct {
    const char *what;
    DWORD replaceError; // what ReplaceFileW fails with; 0 when it works
    ReplacedFile leaves;
    std::vector<Fault> faults; // the moves and removals after it that fail too
    Holds path;
    std::vector<Holds> leftOvers; // what each file left beside it holds
    std::string message;          // none when empty
  } cases[] = {
      {"ReplaceFileW cannot remove the file",
       ERROR_UNABLE_TO_REMOVE_REPLACED,
       ReplacedFile::InPlace,
       {},
       Holds::OldContent,
       {},
       notChanged(ERROR_UNABLE_TO_REMOVE_REPLACED)},
      {"ReplaceFileW cannot move the new file in, and both keep their names",
       ERROR_UNABLE_TO_MOVE_REPLACEMENT,
       ReplacedFile::InPlace,
       {},
       Holds::OldContent,
       {},
       notChanged(ERROR_UNABLE_TO_MOVE_REPLACEMENT)},
      {"ReplaceFileW copied the file aside before it failed: the copy goes",
       ERROR_UNABLE_TO_MOVE_REPLACEMENT,
       ReplacedFile::CopiedAside,
       {},
       Holds::OldContent,
       {},
       notChanged(ERROR_UNABLE_TO_MOVE_REPLACEMENT)},
      {"ReplaceFileW moved the file aside and cannot move the new one in: the file is put back",
       ERROR_UNABLE_TO_MOVE_REPLACEMENT_2,
       ReplacedFile::MovedAside,
       {},
       Holds::OldContent,
       {},
       notChanged(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)},
      {"... and it cannot be put back: the new one takes its place",
       ERROR_UNABLE_TO_MOVE_REPLACEMENT_2,
       ReplacedFile::MovedAside,
       {{FileCall::MoveFileExW, 1, denied}},
       Holds::NewContent,
       {},
       ""},
      {"... and neither can be put in its place",
       ERROR_UNABLE_TO_MOVE_REPLACEMENT_2,
       ReplacedFile::MovedAside,
       {{FileCall::MoveFileExW, FileSystemFaults::everyCall, denied}},
       Holds::Nothing,
       {Holds::OldContent, Holds::NewContent},
       notThere(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) + " and its old content in \"{old}\"."},
      {"ReplaceFileW removed the file in spite of the backup name: the new one takes its place",
       ERROR_UNABLE_TO_MOVE_REPLACEMENT,
       ReplacedFile::Removed,
       {},
       Holds::NewContent,
       {},
       ""},
      {"... and it cannot",
       ERROR_UNABLE_TO_MOVE_REPLACEMENT,
       ReplacedFile::Removed,
       {{FileCall::MoveFileExW, 2, denied}},
       Holds::Nothing,
       {Holds::NewContent},
       notThere(ERROR_UNABLE_TO_MOVE_REPLACEMENT) + "."},
      {"the rename where the file system lacks ReplaceFileW fails",
       ERROR_NOT_SUPPORTED,
       ReplacedFile::InPlace,
       {{FileCall::MoveFileExW, 1, denied}},
       Holds::OldContent,
       {},
       notChanged(denied)},
      {"the old file cannot be removed once the new one is in place",
       0,
       ReplacedFile::InPlace,
       {{FileCall::DeleteFileW, 1, denied}},
       Holds::NewContent,
       {Holds::OldContent},
       "Cannot remove \"{old}\": " + os::errorText(denied) +
           ". It holds the old content of \"{path}\", which has been rewritten."},
      {"the new file cannot be removed after a failure",
       ERROR_SHARING_VIOLATION,
       ReplacedFile::InPlace,
       {{FileCall::DeleteFileW, FileSystemFaults::everyCall, denied}},
       Holds::OldContent,
       {Holds::NewContent},
       notChanged(ERROR_SHARING_VIOLATION)},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path path = put("precious.bin", oldContent);
    boxes.clear();
    bool encrypted = false;
    {
      FileSystemFaults injected;
      if (c.replaceError != 0) {
        injected.fail(FileCall::ReplaceFileW, c.replaceError);
        injected.replaceFileLeaves(c.leaves);
      }
      for (const Fault &fault : c.faults) {
        injected.fail(fault.call, fault.error, fault.occurrence);
      }
      encrypted = EncryptFile(path, u"pw", boxes);
    }
    EXPECT_EQ(encrypted, c.path == Holds::NewContent) << "the job is done when the file holds the new content";
    EXPECT_EQ(holding(path), c.path);
    std::vector<Holds> leftOvers;
    std::map<Holds, fs::path> leftOverHolding;
    for (const std::string &name : entries()) {
      if (name != "precious.bin") {
        EXPECT_TRUE(name.starts_with(".precious.bin.orvelin-")) << name << " is not one the tidy knows";
        leftOvers.push_back(holding(dir / name));
        leftOverHolding[leftOvers.back()] = dir / name;
      }
    }
    std::sort(leftOvers.begin(), leftOvers.end());
    EXPECT_EQ(leftOvers, c.leftOvers);
    const std::string message = filledIn(c.message, {{"{path}", shown(path)},
                                                     {"{old}", shown(leftOverHolding[Holds::OldContent])},
                                                     {"{new}", shown(leftOverHolding[Holds::NewContent])}});
    EXPECT_EQ(boxes.messages(), c.message.empty() ? std::vector<RecordedMessage>{} : fileErrors(message));
    if (c.path != Holds::Nothing) {
      // With the file in its place, the next job on it removes what this one left.
      EXPECT_TRUE(encrypted ? DecryptFile(path, u"pw", boxes) : EncryptFile(path, u"pw", boxes));
      EXPECT_EQ(entries(), std::vector<std::string>{"precious.bin"});
    }
    for (const std::string &name : entries()) {
      fs::remove(dir / name);
    }
  }
}

} // namespace
} // namespace orvelin::testing
