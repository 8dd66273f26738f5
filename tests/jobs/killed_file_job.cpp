// A file job for scripts/check-windows to kill at each of its file-system calls:
//   killed_file_job encrypt|decrypt FILE PASSWORD              runs the job and lists every call it
//                                                               made, one "call occurrence" a line
//   killed_file_job encrypt|decrypt FILE PASSWORD CALL OCCURRENCE
//                                                               ends its own process at that call
//                                                               (TerminateProcess), as a crash would
// The calls are FileCall's numbers. Exits with 0 once the job is done, 1 when it fails, 2 on a
// wrong command line, and with FileSystemFaults::killedExitCode when killed.

#include "file_system_faults.h"
#include "jobs/file_jobs.h"
#include "tests/crypto/message_recorder.h"

#include <cstdio>
#include <map>
#include <string>
#include <string_view>

namespace orvelin::testing {
namespace {

int runJob(std::wstring_view operation, const std::filesystem::path &file, std::wstring_view password) {
  const std::u16string typed(password.begin(), password.end());
  MessageRecorder messages;
  const bool done = operation == L"encrypt" ? EncryptFile(file, typed, messages) : DecryptFile(file, typed, messages);
  for (const RecordedMessage &message : messages.messages()) {
    std::fprintf(stderr, "%s\n", message.text.c_str());
  }
  return done ? 0 : 1;
}

int run(int argc, wchar_t **argv) {
  if ((argc != 4 && argc != 6) ||
      (std::wstring_view(argv[1]) != L"encrypt" && std::wstring_view(argv[1]) != L"decrypt")) {
    std::fprintf(stderr, "usage: killed_file_job encrypt|decrypt FILE PASSWORD [CALL OCCURRENCE]\n");
    return 2;
  }
  FileSystemFaults faults;
  if (argc == 6) {
    faults.fail(static_cast<FileCall>(std::stoi(argv[4])), FileSystemFaults::killProcess, std::stoi(argv[5]));
    return runJob(argv[1], argv[2], argv[3]);
  }
  const int result = runJob(argv[1], argv[2], argv[3]);
  std::map<FileCall, int> occurrences;
  for (const FileCall call : faults.log()) {
    std::printf("%d %d\n", static_cast<int>(call), ++occurrences[call]);
  }
  return result;
}

} // namespace
} // namespace orvelin::testing

int wmain(int argc, wchar_t **argv) { return orvelin::testing::run(argc, argv); }
