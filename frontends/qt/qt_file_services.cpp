#include "qt_file_services.h"

#include "app/main_window_jobs.h"
#include "qt_conversions.h"
#include "qt_event_pump.h"
#include "qt_window.h"

#include <QFile>

#include <memory>
#include <utility>

namespace orvelin {
namespace {

// The path in the file system's own encoding, as Qt itself would open it.
std::filesystem::path jobPath(const std::u16string &text) { return QFile::encodeName(qtString(text)).toStdString(); }

} // namespace

MainWindowServices qtMainWindowServices(MessageSink &messages, FileChooser chooseFile) {
  MainWindowServices services =
      mainWindowJobs(messages, jobPath, [chooseFile = std::move(chooseFile)](WindowView &owner) {
        return chooseFile(&dynamic_cast<QtWindow &>(owner).widget()).toStdU16String();
      });
  services.runJob = backgroundJobRunner<QtEventPump>(messages);
  return services;
}

} // namespace orvelin
