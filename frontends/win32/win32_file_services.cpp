#include "frontends/win32/win32_file_services.h"

#include "app/main_window_jobs.h"
#include "frontends/win32/file_open_dialog.h"
#include "frontends/win32/win32_event_pump.h"
#include "frontends/win32/win32_window.h"

namespace orvelin::win32 {

MainWindowServices win32MainWindowServices(MessageSink &messages) {
  MainWindowServices services = mainWindowJobs(
      messages, [](const std::u16string &text) { return std::filesystem::path(text); },
      [](WindowView &owner) { return chooseFileToOpen(dynamic_cast<Win32Window &>(owner).handle()).u16string(); });
  services.runJob = backgroundJobRunner<Win32EventPump>(messages);
  return services;
}

} // namespace orvelin::win32
