// No copy of the password the jobs make outlives them: after both jobs have run, the process's
// writable memory holds the password in none of the forms it passed through. The same holds for
// orvelin-cli's, after a password typed at its prompt.

#include "base/secure_wipe.h"
#include "job_folder.h"
#include "jobs/file_jobs.h"
#include "tests/cli/cli_process.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace orvelin::testing {
namespace {

// Stored masked, so that the program image itself does not hold the password.
constexpr char maskedPassword[] = "\x10\x66\x1c\x01\x33\x75\x0e\x6a\x2a\x16\x7f\x21\x1b\x66\x3c\x05\x08\x72\x2e\x6d"
                                  "\x3d\x17\x78\x24";
constexpr char mask = 0x4e;

// Freed memory loses its first bytes to the allocator's own bookkeeping; the password's tail
// survives there, so the tail is what is looked for.
constexpr std::size_t tailLength = 8;

// The forms the password's tail takes on its way: bytes, UTF-16 (as typed) and UCS-4 (per character).
std::string needles(const std::string &password) {
  const std::string tail = password.substr(password.size() - tailLength);
  std::string forms = tail;
  for (const std::size_t width : {2U, 4U}) {
    for (const char character : tail) {
      forms.push_back(character);
      forms.append(width - 1, '\0');
    }
  }
  return forms;
}

// Where, in the writable memory of a process (this one unless another is named), a needle shows up
// outside the needles themselves.
std::string findResidue(const std::string &forms, std::size_t length, pid_t process = 0) {
  const std::string folder = process == 0 ? "/proc/self" : "/proc/" + std::to_string(process);
  std::ifstream maps(folder + "/maps");
  // Another process's memory is searched in a copy read through /proc; this one's where it is.
  std::ifstream memory;
  if (process != 0) {
    memory.open(folder + "/mem", std::ios::binary);
  }
  std::string copy;
  std::ostringstream found;
  for (std::string line; std::getline(maps, line);) {
    std::istringstream fields(line);
    std::string range;
    std::string permissions;
    fields >> range >> permissions;
    if (permissions.substr(0, 2) != "rw" || line.find("[v") != std::string::npos) {
      continue;
    }
    const std::uintptr_t start = std::stoull(range.substr(0, range.find('-')), nullptr, 16);
    const std::uintptr_t end = std::stoull(range.substr(range.find('-') + 1), nullptr, 16);
    std::string_view region(reinterpret_cast<const char *>(start), end - start);
    if (process != 0) {
      copy.resize(region.size());
      if (!memory.seekg(static_cast<std::streamoff>(start))
               .read(copy.data(), static_cast<std::streamsize>(end - start))) {
        found << line << " cannot be read\n";
        memory.clear();
        continue;
      }
      region = copy;
    }
    for (const auto &[offset, size] :
         {std::pair{std::size_t{0}, length}, std::pair{length, 2 * length}, std::pair{3 * length, 4 * length}}) {
      const std::string_view needle(forms.data() + offset, size);
      for (const auto *at = region.begin();
           (at = std::search(at, region.end(), needle.begin(), needle.end())) != region.end(); ++at) {
        if (&*at < forms.data() || &*at >= forms.data() + forms.size()) {
          found << line << " +" << (at - region.begin()) << " (form of " << size / length << " bytes)\n";
        }
      }
    }
  }
  return found.str();
}

class SecretResidue : public JobFolder {
protected:
  void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer keeps freed memory poisoned and maps shadow memory no scan may read";
#endif
  }
};

TEST_F(SecretResidue, NoCopyOfThePasswordOutlivesTheJobs) {
  const std::filesystem::path path = put("file.txt", "content");
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        std::string password(maskedPassword, sizeof maskedPassword - 1);
        for (char &character : password) {
          character = static_cast<char>(character ^ mask);
        }
        const std::string forms = needles(password);
        std::u16string typed(password.begin(), password.end());
        password.assign(password.size(), '\0');
        const bool ran = EncryptFile(path, typed, boxes) && DecryptFile(path, typed, boxes);
        wipe(typed);
        const std::string residue = findResidue(forms, tailLength);
        (void)std::fprintf(stderr, "%s", residue.c_str());
        std::exit(ran && residue.empty() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// Typed at orvelin-cli's prompt, confirmed or not: the program is held at its exit, its memory still
// in place, and searched from here.
TEST_F(SecretResidue, NoCopyOfAPasswordTypedAtTheTerminalOutlivesOrvelinCli) {
  // One block over and over, so that any part of it a growing buffer leaves behind holds the tail.
  std::string password;
  for (int block = 0; block < 8; ++block) {
    password += "t1Ped#Pw";
  }
  const std::string forms = needles(password);
  const std::filesystem::path file = put("file.txt", "content");
  const struct {
    const char *typing;
    std::vector<std::string> answers;
    int exitStatus;
  } cases[] = {
      {"confirmed", {password, password}, 0},
      {"not confirmed", {password, "something else"}, 1},
  };
  for (const auto &[typing, answers, exitStatus] : cases) {
    SCOPED_TRACE(typing);
    std::optional<std::string> residue;
    const CliRun run = runCliOnTerminal({"encrypt", QString::fromStdString(file.string())}, answers,
                                        [&](pid_t cli) { residue = findResidue(forms, tailLength, cli); });
    EXPECT_EQ(run.exitStatus, exitStatus) << run.err;
    ASSERT_TRUE(residue) << "orvelin-cli was not held at its exit";
    EXPECT_EQ(*residue, "");
  }
}

} // namespace
} // namespace orvelin::testing
