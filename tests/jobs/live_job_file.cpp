#include "live_job_file.h"

#ifdef _WIN32
#include "base/windows_api.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace orvelin::testing {

#ifdef _WIN32
// Open and shared with nobody, as the job creates it.
LiveJobFile::LiveJobFile(const std::filesystem::path &file)
    : handle_(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)),
      held_(handle_ != INVALID_HANDLE_VALUE) {}

LiveJobFile::~LiveJobFile() {
  if (held_) {
    CloseHandle(handle_);
  }
}
#else
// Open and locked, as the job creates it.
LiveJobFile::LiveJobFile(const std::filesystem::path &file)
    : handle_(::open(file.c_str(), O_RDONLY | O_CLOEXEC)),
      held_(handle_ >= 0 && ::flock(handle_, LOCK_EX | LOCK_NB) == 0) {}

LiveJobFile::~LiveJobFile() {
  if (handle_ >= 0) {
    ::close(handle_);
  }
}
#endif

} // namespace orvelin::testing
