#pragma once
// The main window's handlers: the input checks before a job, the job with its busy look and status,
// the file dialog, and the window's exit, minimise and links.

#include "main_window_services.h"
#include "ui/navigator.h"
#include "ui/window_behaviour.h"
#include "ui/window_view.h"

#include <string>
#include <string_view>

namespace orvelin {

struct JobTexts;

class frmMainBehaviour final : public WindowBehaviour {
public:
  // handedFile: the file the program was started with, if any, for the window's first load.
  frmMainBehaviour(WindowView &view, Navigator &navigator, MainWindowServices services, std::u16string handedFile = {});

  // A handed file is in the name box, as given, and the focus waits in the password box.
  void load() override;
  void click(std::string_view control) override;
  // One file the look-up finds becomes the file to work on, as a confirmed Browse does.
  void filesDropped(const std::vector<std::u16string> &files) override;

private:
  void runFileJob(const JobTexts &texts, const FileJob &job);
  // A job that ended in an exception rather than its own box.
  void reportJobFault(const JobTexts &texts, const std::u16string &path, std::string_view reason);
  void browse();

  WindowView &view_;
  Navigator &navigator_;
  MainWindowServices services_;
  // The file the dialog confirmed last, or the one handed over; a cancelled dialog gives it again.
  std::u16string confirmedFile_;
};

} // namespace orvelin
