#pragma once
// The main window: choose a file, type a password, encrypt or decrypt the file in place.

#include "drawn_window.h"
#include "file_open_dialog.h"

#include <optional>

class QLabel;
class QLineEdit;

namespace orvelin {

class ClickableLabel;
struct FileJob;

class frmMain : public DrawnWindow {
  Q_OBJECT

public:
  explicit frmMain(FileChooser chooseFile = chooseFileToOpen);

signals:
  // The links to the information windows; whoever shows those windows acts on them.
  void aboutRequested();
  void helpRequested();
  void securityKeyRequested();

private:
  // A missing or unusable input: what the user is told, and the box to correct.
  struct InputProblem {
    const char *text;
    const char *title;
    QLineEdit *box;
  };

  void createControls();
  void connectControls();
  void runFileJob(const FileJob &job);
  [[nodiscard]] std::optional<InputProblem> findInputProblem(const FileJob &job) const;
  void browse();

  FileChooser chooseFile_;
  // The file the dialog confirmed last; a cancelled dialog gives it again.
  QString confirmedFile_;

  QLineEdit *txtfilename = nullptr;
  QLineEdit *txtpassword = nullptr;
  ClickableLabel *cmdencrypt = nullptr;
  ClickableLabel *cmddecrypt = nullptr;
  ClickableLabel *cmdbrowse = nullptr;
  QLabel *lblmessage = nullptr;
  ClickableLabel *Label2 = nullptr;
  ClickableLabel *Label3 = nullptr;
  ClickableLabel *Label4 = nullptr;
  ClickableLabel *Label5 = nullptr;
  ClickableLabel *securitykey = nullptr;
};

} // namespace orvelin
