#include "main_window_jobs.h"

#include "jobs/file_jobs.h"
#include "jobs/file_lookup.h"

#include <string_view>
#include <utility>

namespace orvelin {
namespace {

using PathJob = bool (*)(const std::filesystem::path &path, std::u16string_view password, MessageSink &messages,
                         const JobProgress &progress);

FileJob onTypedPath(PathJob job, PathFromText pathOf) {
  return [job, pathOf](const std::u16string &path, const std::u16string &password, MessageSink &messages,
                       const JobProgress &progress) { return job(pathOf(path), password, messages, progress); };
}

} // namespace

MainWindowServices mainWindowJobs(MessageSink &messages, PathFromText pathOf,
                                  std::function<std::u16string(WindowView &owner)> chooseFile) {
  return {
      .messages = messages,
      .encryptFile = onTypedPath(EncryptFile, pathOf),
      .decryptFile = onTypedPath(DecryptFile, pathOf),
      .findsFile =
          [pathOf](const std::u16string &name) { return namesExistingFile(pathOf(name), HiddenFiles::PassedOver); },
      .chooseFile = std::move(chooseFile),
  };
}

} // namespace orvelin
