#include "frmMain.h"

#include "clickable_label.h"
#include "crypto/message_box.h"
#include "file_jobs.h"
#include "file_lookup.h"
#include "job_arguments.h"
#include "job_texts.h"
#include "label_look.h"
#include "twips.h"
#include "window_fonts.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

namespace orvelin {

// What tells an Encrypt click from a Decrypt click.
struct FileJob {
  const JobTexts &texts;
  bool (*run)(const std::filesystem::path &path, std::u16string_view password);
};

namespace {

constexpr FileJob encryption{encryptionTexts, EncryptFile};
constexpr FileJob decryption{decryptionTexts, DecryptFile};

QLineEdit *addTextBox(QWidget *window, const char *name, QRect box) {
  auto *textBox = new QLineEdit(window);
  textBox->setObjectName(QString::fromLatin1(name));
  textBox->setGeometry(box);
  return textBox;
}

} // namespace

frmMain::frmMain(FileChooser chooseFile)
    : DrawnWindow(QStringLiteral("Orvelin File Encryption"), sizeFromTwips(6645, 3930)),
      chooseFile_(std::move(chooseFile)) {
  createControls();
  connectControls();
}

void frmMain::createControls() {
  addOutline(boxFromTwips(120, 120, 6375, 3615)); // Shape1
  addLabel<QLabel>(
      this, "Label1",
      {.text = "ORVELIN FILE ENCRYPTOR", .box = boxFromTwips(240, 290, 2895, 255), .colour = TextColour::Black});
  addOutline(boxFromTwips(5760, 240, 255, 255)); // Shape3
  Label3 = addLabel<ClickableLabel>(this, "Label3",
                                    {.text = "_",
                                     .box = boxFromTwips(5805, 240, 135, 240),
                                     .alignment = centred,
                                     .font = msSansSerif(9.75),
                                     .tooltip = "Minimize",
                                     .sizedToText = true});
  addOutline(boxFromTwips(6120, 240, 240, 240)); // Shape2
  Label2 = addLabel<ClickableLabel>(
      this, "Label2", {.text = "X", .box = boxFromTwips(6120, 260, 220, 220), .alignment = centred, .tooltip = "Exit"});
  addLine(lineFromTwips(240, 600, 6360, 600)); // Line1

  addLabel<QLabel>(this, "lbllfilename",
                   {.text = "File Name",
                    .box = boxFromTwips(240, 960, 975, 255),
                    .colour = TextColour::Black,
                    .font = timesNewRoman(9.75)});
  txtfilename = addTextBox(this, "txtfilename", boxFromTwips(1080, 960, 5055, 285));
  QPalette blackOnWhite = txtfilename->palette();
  blackOnWhite.setColor(QPalette::Base, Qt::white);
  blackOnWhite.setColor(QPalette::Text, Qt::black);
  txtfilename->setPalette(blackOnWhite);
  addLabel<QLabel>(this, "lblpassword",
                   {.text = "Password",
                    .box = boxFromTwips(240, 1560, 975, 255),
                    .colour = TextColour::Black,
                    .font = timesNewRoman(9.75)});
  // Shown as typed: the user sees what the file will be locked with.
  txtpassword = addTextBox(this, "txtpassword", boxFromTwips(1080, 1560, 5055, 285));
  setTabOrder(txtfilename, txtpassword);
  txtfilename->setFocus();

  addOutline(boxFromTwips(2280, 2040, 1100, 375)); // Shape6
  cmdencrypt = addLabel<ClickableLabel>(this, "cmdencrypt",
                                        {.text = "Encrypt",
                                         .box = boxFromTwips(2380, 2110, 855, 255),
                                         .alignment = centred,
                                         .colour = TextColour::Black,
                                         .tooltip = "Encrypt"});
  addOutline(boxFromTwips(3680, 2040, 1015, 375)); // Shape5
  cmddecrypt = addLabel<ClickableLabel>(this, "cmddecrypt",
                                        {.text = "Decrypt",
                                         .box = boxFromTwips(3800, 2110, 735, 255),
                                         .alignment = centred,
                                         .colour = TextColour::Black,
                                         .tooltip = "Decrypt"});
  addOutline(boxFromTwips(5040, 2040, 1015, 375)); // Shape4
  cmdbrowse = addLabel<ClickableLabel>(this, "cmdbrowse",
                                       {.text = "Browse",
                                        .box = boxFromTwips(5100, 2110, 855, 255),
                                        .alignment = centred,
                                        .colour = TextColour::Black,
                                        .tooltip = "Browse"});

  lblmessage =
      addLabel<QLabel>(this, "lblmessage",
                       {.box = boxFromTwips(1440, 2880, 3855, 255), .alignment = centred, .font = timesNewRoman(9.75)});
  addLine(lineFromTwips(240, 3120, 6360, 3120)); // Line2

  securitykey = addLabel<ClickableLabel>(this, "securitykey", {.box = boxFromTwips(240, 3240, 495, 375)});
  addOutline(boxFromTwips(3960, 3240, 1095, 375)); // Shape8
  Label4 = addLabel<ClickableLabel>(
      this, "Label4",
      {.text = "About", .box = boxFromTwips(4080, 3310, 855, 255), .alignment = centred, .tooltip = "About"});
  addOutline(boxFromTwips(5160, 3240, 1095, 375)); // Shape7
  Label5 = addLabel<ClickableLabel>(
      this, "Label5",
      {.text = "Help", .box = boxFromTwips(5210, 3320, 975, 255), .alignment = centred, .tooltip = "Help"});
}

void frmMain::connectControls() {
  connect(cmdencrypt, &ClickableLabel::clicked, this, [this] { runFileJob(encryption); });
  connect(cmddecrypt, &ClickableLabel::clicked, this, [this] { runFileJob(decryption); });
  connect(cmdbrowse, &ClickableLabel::clicked, this, &frmMain::browse);
  connect(Label2, &ClickableLabel::clicked, this, [] { QCoreApplication::exit(0); });
  connect(Label3, &ClickableLabel::clicked, this, &QWidget::showMinimized);
  connect(Label4, &ClickableLabel::clicked, this, &frmMain::aboutRequested);
  connect(Label5, &ClickableLabel::clicked, this, &frmMain::helpRequested);
  connect(securitykey, &ClickableLabel::clicked, this, &frmMain::securityKeyRequested);
}

void frmMain::runFileJob(const FileJob &job) {
  setCursor(Qt::WaitCursor);
  lblmessage->setText(QString::fromLatin1(job.texts.busy));
  // The job runs without returning to the event loop, so the busy look is painted now or never.
  repaint();
  if (const std::optional<InputProblem> problem = findInputProblem(job)) {
    showMessageBox(problem->text, problem->title, MessageStyle::Critical);
    problem->box->setFocus();
    unsetCursor();
    lblmessage->clear();
    return;
  }
  const bool done = job.run(jobPath(txtfilename->text()), jobPassword(txtpassword->text()));
  unsetCursor();
  lblmessage->setText(QString::fromLatin1(done ? job.texts.complete : job.texts.failed));
}

std::optional<frmMain::InputProblem> frmMain::findInputProblem(const FileJob &job) const {
  if (txtfilename->text().isEmpty()) {
    return InputProblem{noFileText, noFileTitle, txtfilename};
  }
  if (!namesExistingFile(jobPath(txtfilename->text()), HiddenFiles::PassedOver)) {
    return InputProblem{missingFileText, missingFileTitle, txtfilename};
  }
  if (txtpassword->text().isEmpty()) {
    return InputProblem{job.texts.passwordMissing, noPasswordTitle, txtpassword};
  }
  return std::nullopt;
}

void frmMain::browse() {
  if (const QString chosen = chooseFile_(this); !chosen.isEmpty()) {
    confirmedFile_ = chosen;
  }
  txtfilename->setText(confirmedFile_);
}

} // namespace orvelin
