// What the file jobs meet only on Windows: other programs' open handles, file attributes and the
// folder search's view of them, security descriptors, the rename by handle in its two ways, and
// symbolic links, the system's own and, under Wine, Unix ones.

#include "base/unicode_text.h"
#include "base/windows_api.h"
#include "jobs/file_jobs.h"
#include "jobs/file_lookup.h"

#include "deep_file.h"
#include "file_system_faults.h"
#include "job_folder.h"
#include "tests/crypto/engine_runs.h"
#include "tests/crypto/vectors.h"
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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

// Windows where long paths are not switched on: a path past 260 characters is taken only in the long
// form. Wine takes it in any form.
bool tooLongForWindows(LPCWSTR name) {
  const std::wstring_view path(name);
  return path.size() >= MAX_PATH && !path.starts_with(LR"(\\?\)");
}

BOOL WINAPI attributesUpTo260(LPCWSTR name, GET_FILEEX_INFO_LEVELS level, LPVOID information) {
  if (tooLongForWindows(name)) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
  }
  return FileSystemCalls::platform().getFileAttributesEx(name, level, information);
}

HANDLE WINAPI openUpTo260(LPCWSTR name, DWORD access, DWORD sharing, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                          DWORD flags, HANDLE templateFile) {
  if (tooLongForWindows(name)) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return INVALID_HANDLE_VALUE;
  }
  return FileSystemCalls::platform().createFile(name, access, sharing, security, disposition, flags, templateFile);
}

TEST_F(FileJobs, AFileWhosePathIsPastTwoHundredAndSixtyCharactersIsEncryptedAndDecrypted) {
  FileSystemCalls upTo260 = FileSystemCalls::platform();
  upTo260.getFileAttributesEx = attributesUpTo260;
  upTo260.createFile = openUpTo260;
  const struct {
    const char *system;
    const FileSystemCalls &calls;
  } cases[] = {{"Wine", FileSystemCalls::platform()}, {"Windows without long paths switched on", upTo260}};
  const std::string content = "far down in its folders";
  const DeepFile deep(dir, L"\u00fcber.txt", content);
  ASSERT_TRUE(deep.made());
  const fs::path &file = deep.path();
  ASSERT_GT(file.native().size(), std::size_t{MAX_PATH});
  EXPECT_TRUE(namesExistingFile(file, HiddenFiles::PassedOver));
  for (const auto &c : cases) {
    SCOPED_TRACE(c.system);
    const ScopedFileSystemCalls seenAs(c.calls);
    EXPECT_TRUE(EncryptFile(file, u"pw", boxes));
    EXPECT_NE(readBytes(longForm(file)), content);
    EXPECT_TRUE(DecryptFile(file, u"pw", boxes));
    EXPECT_EQ(readBytes(longForm(file)), content);
    EXPECT_EQ(boxes.messages(), std::vector<RecordedMessage>{});
  }
}

// The file's access list (DACL) in the system's text form, or an empty text when it cannot be read.
std::wstring accessListOf(const fs::path &file) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  PACL dacl = nullptr;
  if (GetNamedSecurityInfoW(file.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                            &descriptor) != ERROR_SUCCESS) {
    return {};
  }
  LPWSTR text = nullptr;
  std::wstring list;
  if (ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                           &text, nullptr) != FALSE) {
    list = text;
    LocalFree(text);
  }
  LocalFree(descriptor);
  return list;
}

// Gives the file an access list of its own, not inherited from its folder: everyone may do all, the
// users only read.
void restrict(const fs::path &file) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_NE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)(A;;FR;;;BU)", SDDL_REVISION_1,
                                                                 &descriptor, nullptr),
            FALSE);
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
  const std::wstring name = file.native();
  EXPECT_EQ(SetNamedSecurityInfoW(const_cast<LPWSTR>(name.c_str()), SE_FILE_OBJECT,
                                  DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                  dacl, nullptr),
            ERROR_SUCCESS);
  LocalFree(descriptor);
}

TEST_F(FileJobs, TheReplacedFileKeepsItsAttributesAndAccessListWhicheverWayItIsReplaced) {
  const struct {
    const char *way;
    std::vector<Fault> faults;
    bool securityKept; // the file system keeps security descriptors
  } ways[] = {
      {"as the system renames", {}, true},
      // The fifth is the rename with POSIX semantics.
      {"where the system has no rename with POSIX semantics",
       {{FileCall::SetFileInformationByHandle, 4, ERROR_INVALID_PARAMETER}},
       true},
      {"where the user may not give the file away", {{FileCall::SetSecurityInfo, 2, ERROR_INVALID_OWNER}}, true},
      {"on a file system without security descriptors", {{FileCall::GetSecurityInfo, 1, ERROR_NOT_SUPPORTED}}, false},
      {"on one that cannot store them", {{FileCall::SetSecurityInfo, 1, ERROR_NOT_SUPPORTED}}, false},
  };
  for (const auto &way : ways) {
    for (const DWORD chosen : {DWORD{FILE_ATTRIBUTE_ARCHIVE}, DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
                               DWORD{FILE_ATTRIBUTE_SYSTEM}}) {
      SCOPED_TRACE(::testing::Message() << way.way << ", attributes " << chosen);
      const fs::path path = put("kept.txt", "content");
      const DWORD before = give(path, chosen);
      restrict(path);
      const std::wstring accessList = accessListOf(path);
      ASSERT_FALSE(accessList.empty());
      FileSystemFaults injected;
      // Under Wine the access list is made up from the Unix mode, which a later test keeps.
      const WindowsSteps asOnWindows;
      for (const Fault &fault : way.faults) {
        injected.fail(fault.call, fault.error, fault.occurrence);
      }
      EXPECT_TRUE(EncryptFile(path, u"pw", boxes));
      EXPECT_EQ(contentOf(path), sealAndEncrypt("pw", "content", boxes));
      EXPECT_EQ(attributesOf(path), before);
      if (way.securityKept) {
        EXPECT_EQ(accessListOf(path), accessList);
      }
      EXPECT_EQ(entries(), std::vector<std::string>{"kept.txt"});
      fs::remove(path);
    }
  }
  EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(FileJobs, ARenameThatFailsLeavesTheWholeOldContentAndRemovesTheNewFile) {
  const std::string oldContent = "the user's own words";
  const std::string newContent = sealAndEncrypt("pw", oldContent, boxes);
  constexpr DWORD denied = ERROR_ACCESS_DENIED;
  // The fourth and fifth are the renames with and without POSIX semantics.
  const Fault posixRenameUnsupported{FileCall::SetFileInformationByHandle, 4, ERROR_INVALID_PARAMETER};
  const Fault renameDenied{FileCall::SetFileInformationByHandle, 5, denied};
  const struct {
    const char *what;
    std::vector<Fault> faults;
    bool newFileLeft; // its removal fails too
  } cases[] = {
      {"the rename without POSIX semantics fails", {posixRenameUnsupported, renameDenied}, false},
      {"... and so does the new file's removal",
       {posixRenameUnsupported, renameDenied, {FileCall::DeleteFileW, FileSystemFaults::everyCall, denied}},
       true},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path path = put("precious.bin", oldContent);
    boxes.clear();
    bool encrypted = true;
    {
      FileSystemFaults injected;
      for (const Fault &fault : c.faults) {
        injected.fail(fault.call, fault.error, fault.occurrence);
      }
      encrypted = EncryptFile(path, u"pw", boxes);
    }
    EXPECT_FALSE(encrypted);
    EXPECT_EQ(contentOf(path), oldContent);
    EXPECT_EQ(boxes.messages(), fileErrors("Cannot write \"" + shown(path) + "\": " + os::errorText(denied) +
                                           ". The file has not been changed."));
    std::vector<std::string> leftOvers;
    for (const std::string &name : entries()) {
      if (name != "precious.bin") {
        EXPECT_TRUE(name.starts_with(".precious.bin.orvelin-")) << name << " is not one the tidy knows";
        EXPECT_EQ(contentOf(dir / name), newContent);
        leftOvers.push_back(name);
      }
    }
    EXPECT_EQ(leftOvers.size(), c.newFileLeft ? 1U : 0U);
    // The next job on the file removes what this one left.
    EXPECT_TRUE(EncryptFile(path, u"pw", boxes));
    EXPECT_EQ(entries(), std::vector<std::string>{"precious.bin"});
  }
}

// The two kinds of symbolic link a Windows program meets: the system's own, and under Wine a Unix
// one, which Windows programs see through as though it were the file it leads to.
enum class LinkKind { Windows, Unix };

// The Unix path of a Windows path under Wine, in UTF-8; empty where there is none.
std::string unixPathOf(const fs::path &file) {
  const auto unixFileName = FileSystemCalls::platform().wineGetUnixFileName;
  char *name = unixFileName != nullptr ? unixFileName(file.c_str()) : nullptr;
  if (name == nullptr) {
    return {};
  }
  std::string path = name;
  HeapFree(GetProcessHeap(), 0, name);
  return path;
}

// Runs a Unix program under Wine to its end; whether it ended with 0. Through Wine's own call, as
// CreateProcessW starts a Unix program without a handle to wait for.
bool runUnixProgram(std::vector<std::string> arguments) {
  const auto spawn = FileSystemCalls::platform().wineUnixSpawnvp;
  std::vector<char *> argv;
  for (std::string &argument : arguments) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);
  return spawn != nullptr && spawn(argv.data(), 1) == 0;
}

// A Unix symbolic link made from the Linux side, by ln.
bool makeUnixLink(const fs::path &link, const fs::path &to) {
  const std::string linkName = unixPathOf(link);
  const std::string toName = to.is_absolute() ? unixPathOf(to) : utf8Of(fs::path(to.generic_wstring()));
  return !linkName.empty() && !toName.empty() && runUnixProgram({"/bin/ln", "-s", toName, linkName});
}

// Made where the system lets a user make one: a reparse point at link.
bool makeWindowsLink(const fs::path &link, const fs::path &to) {
  if (CreateSymbolicLinkW(link.c_str(), fs::path(to).make_preferred().c_str(),
                          SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) == FALSE) {
    return false;
  }
  const DWORD attributes = attributesOf(link);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Every name under folder, with the folders it passes, relative to it with "/", sorted.
std::vector<std::string> namesUnder(const fs::path &folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry &entry : fs::recursive_directory_iterator(folder)) {
    names.push_back(utf8Of(fs::path(entry.path().lexically_relative(folder).generic_wstring())));
  }
  std::sort(names.begin(), names.end());
  return names;
}

class SymbolicLinks : public JobFolder, public ::testing::WithParamInterface<LinkKind> {
protected:
  void SetUp() override {
    if (GetParam() == LinkKind::Unix && unixPathOf(dir).empty()) {
      GTEST_SKIP() << "Unix symbolic links are Wine's, and this is Windows";
    }
    put("probed.txt", "");
    if (!link(dir / "probe.txt", "probed.txt")) {
      GTEST_SKIP() << (GetParam() == LinkKind::Unix
                           ? "ln made no link"
                           : "the system made no symbolic link: Wine 8 says it did but makes none, and Windows "
                             "makes one only in developer mode or with the privilege to");
    }
  }

  // Wine's DeleteFileW removes the file a Unix link leads to, and fails on one that leads nowhere,
  // where the folder's removal would go round for ever: the links go from the Unix side.
  void TearDown() override {
    const std::string unixFolder = unixPathOf(dir);
    if (GetParam() == LinkKind::Unix && !unixFolder.empty()) {
      EXPECT_TRUE(runUnixProgram({"/bin/rm", "-r", unixFolder}));
    }
  }

  [[nodiscard]] bool link(const fs::path &name, const fs::path &to) const {
    return GetParam() == LinkKind::Unix ? makeUnixLink(name, to) : makeWindowsLink(name, to);
  }
};

TEST_P(SymbolicLinks, ALinkStaysALinkAndTheFileItLeadsToIsRewritten) {
  const struct {
    const char *shape;
    const char *target; // from the link's folder
    bool byWholePath;   // the link holds the target's whole path, not the relative one
    std::vector<std::string> left;
  } shapes[] = {
      {"beside its target", "target.txt", false, {"link.txt", "target.txt"}},
      // The temporary file goes beside the target, the only folder the rename may not leave.
      {"into another folder, by its whole path",
       "elsewhere/target.txt",
       true,
       {"elsewhere", "elsewhere/target.txt", "link.txt"}},
  };
  int number = 0;
  for (const auto &s : shapes) {
    SCOPED_TRACE(s.shape);
    const fs::path folder = dir / std::to_string(++number);
    const fs::path target = folder / s.target;
    fs::create_directories(target.parent_path());
    writeBytes(target, "behind a link");
    const fs::path named = folder / "link.txt";
    ASSERT_TRUE(link(named, s.byWholePath ? target : fs::path(s.target)));
    ASSERT_TRUE(EncryptFile(named, u"pw", boxes));
    EXPECT_EQ(contentOf(target), sealAndEncrypt("pw", "behind a link", boxes));
    ASSERT_TRUE(DecryptFile(named, u"pw", boxes));
    EXPECT_EQ(contentOf(target), "behind a link");
    EXPECT_EQ(namesUnder(folder), s.left);
  }
  EXPECT_TRUE(boxes.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(OfEachKind, SymbolicLinks, ::testing::Values(LinkKind::Windows, LinkKind::Unix),
                         [](const ::testing::TestParamInfo<LinkKind> &kind) {
                           return kind.param == LinkKind::Windows ? std::string("Windows") : std::string("Unix");
                         });

// The attributes a symbolic link of Windows reads with, given to every file: neither Wine nor a
// Windows user without the privilege can make one.
BOOL WINAPI attributesOfALink(LPCWSTR name, GET_FILEEX_INFO_LEVELS level, LPVOID information) {
  const BOOL read = FileSystemCalls::platform().getFileAttributesEx(name, level, information);
  if (read != FALSE) {
    static_cast<WIN32_FILE_ATTRIBUTE_DATA *>(information)->dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
  }
  return read;
}

TEST_F(FileJobs, WhereTheSystemCannotNameTheFinalPathAFileIsReplacedWhereItIsAndALinkIsRefused) {
  const struct {
    const char *where;
    DWORD unnamed; // why the final path has no name
    bool link;
    std::optional<DWORD> refusal; // the reason the box gives, if any
  } cases[] = {
      {"a RAM disk", ERROR_INVALID_FUNCTION, false, std::nullopt},
      {"a volume without a drive letter", ERROR_PATH_NOT_FOUND, false, std::nullopt},
      {"a link on a RAM disk", ERROR_INVALID_FUNCTION, true, ERROR_CANT_RESOLVE_FILENAME},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.where);
    const fs::path path = put("file.txt", "content");
    boxes.clear();
    bool encrypted = false;
    int writes = 0;
    {
      FileSystemFaults injected;
      injected.fail(FileCall::GetFinalPathNameByHandleW, c.unnamed, 1);
      FileSystemCalls seen = fileSystem();
      if (c.link) {
        seen.getFileAttributesEx = attributesOfALink;
      }
      const ScopedFileSystemCalls seenAs(seen);
      encrypted = EncryptFile(path, u"pw", boxes);
      writes = injected.count(contentWrite);
    }
    EXPECT_EQ(encrypted, !c.refusal);
    if (c.refusal) {
      EXPECT_EQ(writes, 0) << "refused before anything is written";
    }
    EXPECT_EQ(contentOf(path), c.refusal ? "content" : sealAndEncrypt("pw", "content", boxes));
    EXPECT_EQ(entries(), std::vector<std::string>{"file.txt"});
    if (c.refusal) {
      EXPECT_EQ(boxes.messages(),
                fileErrors("Cannot read \"" + shown(path) + "\": " + os::errorText(*c.refusal) + "."));
    } else {
      EXPECT_TRUE(boxes.messages().empty());
    }
  }
}

// The Unix mode of a file under Wine as stat shows it ("600"), passed through a file beside the
// file's folder; empty where it cannot be read.
std::string unixModeOf(const fs::path &file) {
  const fs::path shown = file.parent_path().native() + L".mode";
  std::string mode;
  if (runUnixProgram({"/bin/sh", "-c", "stat -c %a \"$1\" >\"$2\"", "sh", unixPathOf(file), unixPathOf(shown)})) {
    mode = readBytes(shown);
  }
  fs::remove(shown);
  return mode.substr(0, mode.find('\n'));
}

// The Unix mode Wine keeps beside a file, which Windows has not: there the access list is kept, and
// no other program may open the job's file while it holds it.
class UnderWine : public JobFolder {
protected:
  void SetUp() override {
    if (unixPathOf(dir).empty()) {
      GTEST_SKIP() << "the Unix mode and the steps that keep it are Wine's";
    }
  }
};

TEST_F(UnderWine, TheFileKeepsItsUnixModeThroughEncryptAndDecrypt) {
  const struct {
    const char *mode;
    const char *folderMode; // Wine gave the file Everyone's access to the folder
  } cases[] = {
      {"600", "755"}, {"640", "755"}, {"644", "755"}, {"660", "755"},
      {"664", "755"}, {"700", "755"}, {"600", "700"}, {"600", "777"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.mode << " in a folder " << c.folderMode);
    const fs::path folder = dir / (std::string(c.mode) + "-in-" + c.folderMode);
    fs::create_directory(folder);
    const fs::path path = folder / "private.txt";
    writeBytes(path, "content");
    ASSERT_TRUE(runUnixProgram({"/bin/chmod", c.mode, unixPathOf(path)}));
    ASSERT_TRUE(runUnixProgram({"/bin/chmod", c.folderMode, unixPathOf(folder)}));
    ASSERT_EQ(unixModeOf(path), c.mode);
    ASSERT_TRUE(EncryptFile(path, u"pw", boxes));
    EXPECT_EQ(unixModeOf(path), c.mode) << "encrypted";
    ASSERT_TRUE(DecryptFile(path, u"pw", boxes));
    EXPECT_EQ(unixModeOf(path), c.mode) << "decrypted";
    EXPECT_EQ(contentOf(path), "content");
  }
  EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(UnderWine, AFailureCarryingTheUnixModeOverLeavesTheOriginalAndNoTemporaryFile) {
  const Fault faults[] = {
      {FileCall::WineGetUnixFileName, 1, ERROR_PATH_NOT_FOUND}, // the original's
      {FileCall::WineGetUnixFileName, 2, ERROR_PATH_NOT_FOUND}, // the temporary file's
      {FileCall::WineUnixSpawnvp, 1, ERROR_ACCESS_DENIED},      // chmod
  };
  for (const Fault &fault : faults) {
    SCOPED_TRACE(::testing::Message() << "call " << static_cast<int>(fault.call) << " #" << fault.occurrence);
    const fs::path path = put("precious.txt", "the user's own words");
    boxes.clear();
    FileSystemFaults injected;
    injected.fail(fault.call, fault.error, fault.occurrence);
    EXPECT_FALSE(EncryptFile(path, u"pw", boxes));
    EXPECT_EQ(contentOf(path), "the user's own words");
    EXPECT_EQ(entries(), std::vector<std::string>{"precious.txt"});
    EXPECT_EQ(boxes.messages(), fileErrors("Cannot write \"" + shown(path) + "\": " + os::errorText(fault.error) +
                                           ". The file has not been changed."));
  }
}

// The Unix mode of the file of the job's first write, as it was then.
std::string modeAtFirstWrite;

BOOL WINAPI writeNotingTheMode(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD wrote, LPOVERLAPPED overlapped) {
  if (modeAtFirstWrite.empty()) {
    std::wstring name(MAX_PATH * 4, L'\0');
    name.resize(GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()), VOLUME_NAME_DOS));
    modeAtFirstWrite = unixModeOf(name);
  }
  return FileSystemCalls::platform().writeFile(file, bytes, count, wrote, overlapped);
}

TEST_F(UnderWine, NoOtherUserMayReadTheTemporaryFileWhileItIsWritten) {
  const fs::path path = put("secret.txt", sealAndEncrypt("pw", "the plain text", boxes));
  ASSERT_TRUE(runUnixProgram({"/bin/chmod", "600", unixPathOf(path)}));
  modeAtFirstWrite.clear();
  FileSystemCalls noting = fileSystem();
  noting.writeFile = writeNotingTheMode;
  {
    const ScopedFileSystemCalls seen(noting);
    ASSERT_TRUE(DecryptFile(path, u"pw", boxes));
  }
  ASSERT_FALSE(modeAtFirstWrite.empty());
  EXPECT_EQ(std::stoi(modeAtFirstWrite, nullptr, 8) & 077, 0) << "mode " << modeAtFirstWrite;
  EXPECT_EQ(contentOf(path), "the plain text");
}

} // namespace
} // namespace orvelin::testing
