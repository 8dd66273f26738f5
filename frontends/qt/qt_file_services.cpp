#include "qt_file_services.h"

#include "app/file_jobs.h"
#include "app/file_lookup.h"
#include "qt_conversions.h"
#include "qt_window.h"

#include <QFile>

#include <filesystem>
#include <string_view>
#include <utility>

namespace orvelin {
namespace {

// The path in the file system's own encoding, as Qt itself would open it.
std::filesystem::path jobPath(const std::u16string &text) { return QFile::encodeName(qtString(text)).toStdString(); }

using PlatformFileJob = bool (*)(const std::filesystem::path &path, std::u16string_view password,
                                 const JobProgress &progress);

// The one place where the window's texts become the jobs' own types; the password goes as it is,
// so no copy of it is made here. The window shows no progress yet.
FileJob adapted(PlatformFileJob job) {
  return [job](const std::u16string &path, const std::u16string &password) {
    return job(jobPath(path), password, JobProgress());
  };
}

} // namespace

MainWindowServices qtMainWindowServices(FileChooser chooseFile) {
  return {
      .encryptFile = adapted(EncryptFile),
      .decryptFile = adapted(DecryptFile),
      .findsFile = [](const std::u16string &name) { return namesExistingFile(jobPath(name), HiddenFiles::PassedOver); },
      .chooseFile =
          [chooseFile = std::move(chooseFile)](WindowView &owner) {
            return chooseFile(&dynamic_cast<QtWindow &>(owner).widget()).toStdU16String();
          },
  };
}

} // namespace orvelin
