// No copy of the password the jobs make outlives them: after both jobs have run, the process's
// writable memory holds the password in none of the forms it passed through.

#include "app/file_jobs.h"
#include "job_folder.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace orvelin::testing {
namespace {

// Stored masked, so that the program image itself does not hold the password.
constexpr char maskedPassword[] = "\x10\x66\x1c\x01\x33\x75\x0e\x6a\x2a\x16\x7f\x21\x1b\x66\x3c\x05\x08\x72\x2e\x6d"
                                  "\x3d\x17\x78\x24";
constexpr char mask = 0x4e;

// Freed memory loses its first bytes to the allocator's own bookkeeping; the password's tail
// survives there, so the tail is what is looked for.
constexpr std::size_t tailLength = 8;

// The forms the password's tail takes on its way: bytes, UTF-16 (QString) and UCS-4 (per character).
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

// Where, in the writable memory of this process, a needle shows up outside the needles themselves.
std::string findResidue(const std::string &forms, std::size_t length) {
  std::ifstream maps("/proc/self/maps");
  std::ostringstream found;
  for (std::string line; std::getline(maps, line);) {
    std::istringstream fields(line);
    std::string range;
    std::string permissions;
    fields >> range >> permissions;
    if (permissions.substr(0, 2) != "rw" || line.find("[v") != std::string::npos) {
      continue;
    }
    const auto *start = reinterpret_cast<const char *>(std::stoull(range.substr(0, range.find('-')), nullptr, 16));
    const auto *end = reinterpret_cast<const char *>(std::stoull(range.substr(range.find('-') + 1), nullptr, 16));
    for (const auto &[offset, size] :
         {std::pair{std::size_t{0}, length}, std::pair{length, 2 * length}, std::pair{3 * length, 4 * length}}) {
      const std::string_view needle(forms.data() + offset, size);
      for (const char *at = start; (at = std::search(at, end, needle.begin(), needle.end())) != end; ++at) {
        if (at < forms.data() || at >= forms.data() + forms.size()) {
          found << line << " +" << (at - start) << " (form of " << size / length << " bytes)\n";
        }
      }
    }
  }
  return found.str();
}

using SecretResidue = JobFolder;

TEST_F(SecretResidue, NoCopyOfThePasswordOutlivesTheJobs) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer keeps freed memory poisoned and maps shadow memory no scan may read";
#endif
  const QString path = put("file.txt", "content");
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        std::string password(maskedPassword, sizeof maskedPassword - 1);
        for (char &character : password) {
          character = static_cast<char>(character ^ mask);
        }
        const std::string forms = needles(password);
        QString typed = QString::fromLatin1(password);
        password.assign(password.size(), '\0');
        const bool ran = EncryptFile(path, typed) && DecryptFile(path, typed);
        typed.fill(QChar(0));
        const std::string residue = findResidue(forms, tailLength);
        (void)std::fprintf(stderr, "%s", residue.c_str());
        std::exit(ran && residue.empty() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace orvelin::testing
