// What another program may put at a file's name while a job runs, and what the job carries over
// that gives access: the access list, extended attributes and the group.

#include "file_system_faults.h"
#include "job_folder.h"
#include "jobs/file_error.h"
#include "jobs/file_jobs.h"
#include "tests/crypto/engine_runs.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace orvelin::testing {
namespace {

namespace fs = std::filesystem;

using FileJobs = JobFolder;

TEST_F(FileJobs, AFifoPutAtTheNameIsRefusedWithoutWaitingForAWriter) {
  const fs::path path = put("plain.txt", "content");
  FileSystemFaults injected;
  // The second opening is the file's, after the folder's.
  injected.before(FileCall::Openat, 2, [&] {
    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  });
  EXPECT_FALSE(EncryptFile(path, u"pw", boxes));
  EXPECT_EQ(boxes.messages(), fileErrors("Cannot read \"" + shown(path) + "\": it is not a regular file."));
  EXPECT_TRUE(fs::is_fifo(path));
}

// An access list as the system keeps it in system.posix_acl_access (and _default): a version, then
// entries of a tag, permissions and an id.
std::string accessListOf(const std::vector<std::array<std::uint32_t, 3>> &entries) {
  constexpr std::uint32_t version = 2;
  std::string bytes(reinterpret_cast<const char *>(&version), sizeof version);
  for (const auto &[tag, permissions, id] : entries) {
    const auto tag16 = static_cast<std::uint16_t>(tag);
    const auto permissions16 = static_cast<std::uint16_t>(permissions);
    bytes.append(reinterpret_cast<const char *>(&tag16), sizeof tag16);
    bytes.append(reinterpret_cast<const char *>(&permissions16), sizeof permissions16);
    bytes.append(reinterpret_cast<const char *>(&id), sizeof id);
  }
  return bytes;
}

constexpr std::uint32_t userObject = 0x01, namedUser = 0x02, groupObject = 0x04, mask = 0x10, others = 0x20;
constexpr std::uint32_t none = 0xFFFFFFFF, nobody = 65534;

std::optional<std::string> attributeOf(const fs::path &path, const char *name) {
  std::array<char, 256> value{};
  const ssize_t size = ::getxattr(path.c_str(), name, value.data(), value.size());
  return size < 0 ? std::nullopt
                  : std::optional<std::string>(std::string(value.data(), static_cast<std::size_t>(size)));
}

void setAttribute(const fs::path &path, const char *name, const std::string &value) {
  ASSERT_EQ(::setxattr(path.c_str(), name, value.data(), value.size(), 0), 0) << std::strerror(errno);
}

mode_t modeOf(const fs::path &path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0);
  return status.st_mode & 07777;
}

TEST_F(FileJobs, TheAccessListAndTheUsersExtendedAttributesComeThroughBothWays) {
  // Nobody may read; the group object may not, whatever the mask says.
  const std::string named = accessListOf(
      {{userObject, 6, none}, {namedUser, 4, nobody}, {groupObject, 0, none}, {mask, 4, none}, {others, 0, none}});
  // What a new file in the folder is given, which a file without a list of its own must not keep.
  const std::string folderDefault = accessListOf(
      {{userObject, 7, none}, {namedUser, 7, nobody}, {groupObject, 7, none}, {mask, 7, none}, {others, 7, none}});
  const struct {
    const char *what;
    std::optional<std::string> folderList;
    std::optional<std::string> fileList;
  } cases[] = {
      {"a list with a named user", std::nullopt, named},
      {"no list, in a folder with a default one", folderDefault, std::nullopt},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    if (c.folderList) {
      setAttribute(dir, "system.posix_acl_default", *c.folderList);
    }
    const fs::path path = put("listed.txt", "for nobody");
    ::removexattr(path.c_str(), "system.posix_acl_access"); // what the folder gave it
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    if (c.fileList) {
      setAttribute(path, "system.posix_acl_access", *c.fileList);
    }
    setAttribute(path, "user.origin", "kept");
    const mode_t mode = modeOf(path);
    for (const bool encrypting : {true, false}) {
      SCOPED_TRACE(encrypting ? "encrypted" : "decrypted");
      ASSERT_TRUE(encrypting ? EncryptFile(path, u"pw", boxes) : DecryptFile(path, u"pw", boxes));
      EXPECT_EQ(attributeOf(path, "system.posix_acl_access"), c.fileList);
      EXPECT_EQ(attributeOf(path, "user.origin"), "kept");
      EXPECT_EQ(modeOf(path), mode);
    }
    EXPECT_EQ(contentOf(path), "for nobody");
  }
}

TEST_F(FileJobs, WhatCannotBeCarriedOverLeavesTheFileAsItWas) {
  const std::string group = "the file belongs to a group you are not in, which the new file could not keep; that "
                            "group's rights would go to another. ";
  const std::string lists = "its access control list or extended attributes cannot be carried over: ";
  // The user not in the file's group makes both changes of owner fail.
  const struct {
    const char *what;
    mode_t mode;
    Fault fault;
    std::optional<std::string> refusal; // after the path; nothing where the job goes through
  } cases[] = {
      {"a group with rights", 0640, {FileCall::Fchown, FileSystemFaults::everyCall, EPERM}, group},
      {"a group with no rights", 0600, {FileCall::Fchown, FileSystemFaults::everyCall, EPERM}, std::nullopt},
      {"an attribute refused", 0600, {FileCall::Fsetxattr, 1, EOPNOTSUPP}, lists + std::strerror(EOPNOTSUPP) + ". "},
      {"an inherited list not removed", 0600, {FileCall::Fremovexattr, 1, EIO}, lists + std::strerror(EIO) + ". "},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path path = put("kept.txt", "as it was");
    setAttribute(path, "user.origin", "kept");
    ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
    boxes.clear();
    FileSystemFaults injected;
    injected.fail(c.fault.call, c.fault.error, c.fault.occurrence);
    EXPECT_EQ(EncryptFile(path, u"pw", boxes), !c.refusal);
    if (c.refusal) {
      EXPECT_EQ(contentOf(path), "as it was");
      EXPECT_EQ(boxes.messages(), fileErrors("Cannot write \"" + shown(path) + "\": " + *c.refusal + fileUnchanged));
    }
    EXPECT_EQ(entries(), std::vector<std::string>{"kept.txt"});
  }
}

} // namespace
} // namespace orvelin::testing
