#include "qt_file_services.h"

#include "app/file_jobs.h"
#include "app/file_lookup.h"
#include "crypto/secure_wipe.h"
#include "qt_conversions.h"
#include "qt_window.h"

#include <utility>

namespace orvelin {
namespace {

using QtFileJob = bool (*)(const QString &path, const QString &password);

// The one place where the window's texts become the jobs' own types.
FileJob adapted(QtFileJob job) {
  return [job](const std::u16string &path, const std::u16string &password) {
    QString typed = qtString(password);
    const bool done = job(qtString(path), typed);
    wipe(typed.data(), static_cast<std::size_t>(typed.size()) * sizeof(QChar));
    return done;
  };
}

} // namespace

MainWindowServices qtMainWindowServices(FileChooser chooseFile) {
  return {
      .encryptFile = adapted(EncryptFile),
      .decryptFile = adapted(DecryptFile),
      .findsFile =
          [](const std::u16string &name) { return namesExistingFile(qtString(name), HiddenFiles::PassedOver); },
      .chooseFile =
          [chooseFile = std::move(chooseFile)](WindowView &owner) {
            return chooseFile(&dynamic_cast<QtWindow &>(owner).widget()).toStdU16String();
          },
  };
}

} // namespace orvelin
