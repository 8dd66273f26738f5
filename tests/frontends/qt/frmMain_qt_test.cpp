// The main window as the Linux program has it: drawn by the Qt front end, driven by real clicks and
// presses through assistive technology, running the real file jobs through the front end's
// services, with the busy look painted before a job, the window live but deaf while a job runs, the
// file dialog over the window, and files dropped on it or handed to the program at its start.

#include "app/frmMain_design.h"
#include "frontends/qt/qt_event_pump.h"
#include "frontends/qt/qt_file_services.h"
#include "frontends/qt/qt_message_boxes.h"
#include "frontends/qt/qt_window.h"
#include "frontends/qt/qt_window_system.h"
#include "frontends/qt/window_fonts.h"
#include "tests/crypto/engine_runs.h"
#include "tests/crypto/message_recorder.h"
#include "tests/frontends/qt/file_contents.h"
#include "tests/ui/fake_navigator.h"
#include "ui/loaded_window.h"
#include "windows/program_windows.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <atomic>
#include <optional>
#include <thread>

using orvelin::LoadedWindow;
using orvelin::MessageStyle;
namespace frmMainControls = orvelin::frmMainControls;
using orvelin::testing::contentOf;
using orvelin::testing::MessageRecorder;
using orvelin::testing::writeFile;

namespace {

// What the window showed while each message box of the recorder was up. The checks run before any
// event loop, so only a status painted on the spot can have been seen.
class WindowAtBoxes : public QObject {
public:
  struct Seen {
    QString status;
    bool statusPainted;
    Qt::CursorShape pointer;
  };

  WindowAtBoxes(const QWidget &window, MessageRecorder &recorder)
      : status_(window.findChild<QLabel *>("lblmessage")), recorder_(recorder) {
    recorder.onShow = [this, &window] {
      seen_.push_back({status_->text(), painted_.contains(status_->text()), window.cursor().shape()});
    };
    status_->installEventFilter(this);
  }
  WindowAtBoxes(const WindowAtBoxes &) = delete;
  WindowAtBoxes &operator=(const WindowAtBoxes &) = delete;
  ~WindowAtBoxes() override { recorder_.onShow = {}; }

  [[nodiscard]] const std::vector<Seen> &seen() const { return seen_; }

protected:
  bool eventFilter(QObject * /*watched*/, QEvent *event) override {
    if (event->type() == QEvent::Paint) {
      painted_.append(status_->text());
    }
    return false;
  }

private:
  QLabel *status_;
  MessageRecorder &recorder_;
  QStringList painted_;
  std::vector<Seen> seen_;
};

} // namespace

class frmMainQtTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { orvelin::registerFontSubstitutes(); }
  void init();
  void cleanup();

  void busyLookIsPaintedBeforeTheBox_data();
  void busyLookIsPaintedBeforeTheBox();
  void encryptThenDecryptRestoresTheFile_data();
  void encryptThenDecryptRestoresTheFile();
  void refusedEncryptionSaysEncryptionFailed_data();
  void refusedEncryptionSaysEncryptionFailed();
  void aRunningJobLeavesTheWindowPaintingButDeafWithItsBoxModalOverIt();
  void aJobThatThrowsEndsInAFileErrorBoxAndTheWindowGoesOn();
  void browseAsksOverTheWindow();
  void lookUpFindsOrdinaryFilesOnly_data();
  void lookUpFindsOrdinaryFilesOnly();
  void oneDroppedFileIsTakenAsTheName_data();
  void oneDroppedFileIsTakenAsTheName();
  void aHandedFileIsInTheNameBoxWithTheFocusInThePasswordBox();

private:
  [[nodiscard]] QWidget &window() const;
  template <typename Control> Control *control(const char *name) const {
    return window().findChild<Control *>(QString::fromLatin1(name));
  }
  [[nodiscard]] QLineEdit *fileName() const { return control<QLineEdit>("txtfilename"); }
  [[nodiscard]] QLineEdit *password() const { return control<QLineEdit>("txtpassword"); }
  [[nodiscard]] QString status() const { return control<QLabel>("lblmessage")->text(); }
  [[nodiscard]] QString path(const QString &name) const { return folder_->filePath(name); }
  void click(const char *name) const { QTest::mouseClick(control<QLabel>(name), Qt::LeftButton); }
  // As a screen reader presses a control.
  void press(const char *name) const {
    QAccessible::queryAccessibleInterface(control<QLabel>(name))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
  }
  void clickOrPress(const char *name, bool byAssistiveTechnology) const {
    byAssistiveTechnology ? press(name) : click(name);
  }
  [[nodiscard]] bool drop(QPoint at, const QMimeData &data) const;

  // The boxes of the window and its jobs, but in the test that closes real ones.
  std::optional<MessageRecorder> recorder_;
  std::optional<QTemporaryDir> folder_;
  std::optional<orvelin::QtWindowSystem> system_;
  orvelin::testing::FakeNavigator navigator_;
  std::optional<orvelin::ProgramWindows> windows_;
  std::optional<LoadedWindow> window_;
  std::vector<QWidget *> dialogParents_;
  QString dialogAnswer_;
};

void frmMainQtTest::init() {
  folder_.emplace();
  QVERIFY(folder_->isValid());
  dialogParents_.clear();
  system_.emplace();
  recorder_.emplace();
  windows_.emplace(orvelin::qtMainWindowServices(*recorder_, [this](QWidget *parent) {
    dialogParents_.push_back(parent);
    return dialogAnswer_;
  }));
  window_.emplace(*windows_, orvelin::Window::frmMain, *system_, navigator_, [] {});
  window_->show();
  QVERIFY(QTest::qWaitForWindowActive(&window()));
}

void frmMainQtTest::cleanup() {
  window_.reset();
  windows_.reset();
  system_.reset();
  folder_.reset();
}

QWidget &frmMainQtTest::window() const {
  for (QWidget *each : QApplication::topLevelWidgets()) {
    if (each->objectName() == QStringLiteral("frmMain")) {
      return *each;
    }
  }
  throw std::logic_error("the main window is missing");
}

// Drags data from another program over the window to at, and drops it there, as the system reports
// it to the window; whether the window took the drag.
bool frmMainQtTest::drop(QPoint at, const QMimeData &data) const {
  QWindow *system = window().windowHandle();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QCoreApplication::sendEvent(system, &enter);
  const bool taken = enter.isAccepted() && enter.dropAction() != Qt::IgnoreAction;
  QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  move.setAccepted(taken);
  QCoreApplication::sendEvent(system, &move);
  QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QCoreApplication::sendEvent(system, &dropped);
  return taken;
}

void frmMainQtTest::busyLookIsPaintedBeforeTheBox_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("busy");
  QTest::newRow("Encrypt") << "cmdencrypt"
                           << "Encrypting file.  Please wait....";
  QTest::newRow("Decrypt") << "cmddecrypt"
                           << "Decrypting file.  Please wait....";
}

void frmMainQtTest::busyLookIsPaintedBeforeTheBox() {
  QFETCH(QString, button);
  QFETCH(QString, busy);
  password()->setFocus();
  MessageRecorder &recorder = *recorder_;
  const WindowAtBoxes atBoxes(window(), recorder);

  click(qPrintable(button));

  QCOMPARE(recorder.messages().size(), 1U);
  QCOMPARE(atBoxes.seen().size(), 1U);
  QCOMPARE(atBoxes.seen().front().status, busy);
  QVERIFY(atBoxes.seen().front().statusPainted);
  QCOMPARE(atBoxes.seen().front().pointer, Qt::WaitCursor);
  QCOMPARE(QApplication::focusWidget(), fileName());
  QCOMPARE(status(), QString());
  QCOMPARE(window().cursor().shape(), Qt::ArrowCursor);
}

void frmMainQtTest::encryptThenDecryptRestoresTheFile_data() {
  QTest::addColumn<QString>("password");
  QTest::addColumn<bool>("byAssistiveTechnology"); // else by the mouse
  QTest::newRow("word") << "Secret 1" << false;
  // Windows-1252 letters beyond ASCII reach the job whole.
  QTest::newRow("accented") << QStringLiteral("P\u00e4ssw\u00f6rd \u20ac") << false;
  QTest::newRow("word, pressed by a screen reader") << "Secret 1" << true;
}

void frmMainQtTest::encryptThenDecryptRestoresTheFile() {
  QFETCH(QString, password);
  QFETCH(bool, byAssistiveTechnology);
  const QByteArray content("first line\r\nsecond\0line\n", 24);
  const QString file = path(QStringLiteral("r\u00e9sum\u00e9.txt"));
  QVERIFY(writeFile(file, content));
  fileName()->setText(file);
  this->password()->setText(password);
  const MessageRecorder &recorder = *recorder_;

  clickOrPress("cmdencrypt", byAssistiveTechnology);
  const QByteArray encrypted = contentOf(file);
  QCOMPARE(recorder.messages().size(), 0U);
  QCOMPARE(status(), QStringLiteral("File encryption complete!"));
  QCOMPARE(window().cursor().shape(), Qt::ArrowCursor);
  QVERIFY(!encrypted.isEmpty() && encrypted != content);

  clickOrPress("cmddecrypt", byAssistiveTechnology);
  QCOMPARE(recorder.messages().size(), 0U);
  QCOMPARE(status(), QStringLiteral("File decryption complete!"));
  QCOMPARE(contentOf(file), content);
}

void frmMainQtTest::refusedEncryptionSaysEncryptionFailed_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<QString>("title");
  // No Windows-1252 byte for these characters, so the job refuses the password.
  QTest::newRow("password") << QStringLiteral("\u5BC6\u7801") << QByteArray("some private notes")
                            << QStringLiteral("Invalid Password");
  QTest::newRow("read-only") << QStringLiteral("pw") << QByteArray("kept as it is") << QStringLiteral("File Error");
}

void frmMainQtTest::refusedEncryptionSaysEncryptionFailed() {
  QFETCH(QString, typed);
  QFETCH(QByteArray, content);
  QFETCH(QString, title);
  const QString file = path(QStringLiteral("notes.txt"));
  QVERIFY(writeFile(file, content));
  fileName()->setText(file);
  password()->setText(typed);
  const MessageRecorder &recorder = *recorder_;

  if (QString::fromLatin1(QTest::currentDataTag()) == QStringLiteral("read-only")) {
    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
  }
  click("cmdencrypt");

  QCOMPARE(recorder.messages().size(), 1U);
  QCOMPARE(QString::fromStdString(recorder.messages().front().title), title);
  QCOMPARE(status(), QStringLiteral("File encryption failed!"));
  QCOMPARE(window().cursor().shape(), Qt::ArrowCursor);
  QCOMPARE(contentOf(file), content);
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
  explicit PaintCounter(QWidget &widget) { widget.installEventFilter(this); }
  [[nodiscard]] int paints() const { return paints_; }

protected:
  bool eventFilter(QObject * /*watched*/, QEvent *event) override {
    paints_ += event->type() == QEvent::Paint ? 1 : 0;
    return false;
  }

private:
  int paints_ = 0;
};

void frmMainQtTest::aRunningJobLeavesTheWindowPaintingButDeafWithItsBoxModalOverIt() {
  // The job holds on until the window has shown it is alive; then it fails with an engine's box.
  std::atomic<bool> release{false};
  int decryptions = 0;
  // Real boxes, found and closed as a user would.
  orvelin::QtMessageBoxes boxes;
  orvelin::MainWindowServices services = orvelin::qtMainWindowServices(boxes);
  services.encryptFile = [&release](const std::u16string &, const std::u16string &, orvelin::MessageSink &messages,
                                    const orvelin::JobProgress &progress) {
    progress(0.4);
    while (!release) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    messages.show("Error 8 during CryptEncrypt!", "Lumo Crypto", MessageStyle::Plain);
    return false;
  };
  services.decryptFile = [&decryptions](const std::u16string &, const std::u16string &, orvelin::MessageSink &,
                                        const orvelin::JobProgress &) { return ++decryptions, true; };
  services.findsFile = [](const std::u16string &) { return true; };
  services.runJob = orvelin::backgroundJobRunner(
      [](orvelin::WindowView &view) { return std::make_unique<orvelin::QtEventPump>(view); }, boxes,
      std::chrono::milliseconds(0));
  window_.reset();
  windows_.emplace(std::move(services));
  window_.emplace(*windows_, orvelin::Window::frmMain, *system_, navigator_, [] {});
  window_->show();
  QVERIFY(QTest::qWaitForWindowActive(&window()));
  fileName()->setText(QStringLiteral("notes.txt"));
  password()->setText(QStringLiteral("pw"));
  auto *bar = control<QProgressBar>("jobprogress");
  QVERIFY(bar != nullptr && bar->isHidden());

  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
  ticker.start(10);
  const PaintCounter painted(window());
  std::optional<int> barDuringJob;
  std::optional<bool> dropTakenDuringJob;
  QMimeData aFile;
  aFile.setUrls({QUrl::fromLocalFile(path(QStringLiteral("other.txt")))});
  bool boxModalOverWindow = false;
  QString statusAtBox;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
      boxModalOverWindow =
          box->parentWidget() == &window() && box->isModal() && box->text() == "Error 8 during CryptEncrypt!";
      statusAtBox = status();
      box->accept();
    } else if (!release && ticks >= 3 && bar->isVisible()) {
      window().update();
      if (painted.paints() > 0) {
        barDuringJob = bar->value();
        click("cmddecrypt");
        press("cmddecrypt");
        dropTakenDuringJob = drop(fileName()->geometry().center(), aFile);
        QTest::keyClick(fileName(), Qt::Key_X);
        QTest::keyClick(&window(), Qt::Key_F4, Qt::AltModifier);
        window().close();
        release = true;
      }
    }
  });
  watcher.start(5);

  click("cmdencrypt");

  QCOMPARE(barDuringJob, std::optional<int>(400));
  QCOMPARE(dropTakenDuringJob, std::optional<bool>(false));
  QVERIFY(boxModalOverWindow);
  QCOMPARE(statusAtBox, QStringLiteral("Encrypting file.  Please wait...."));
  // The click and the press on Decrypt, the drop, the key and the close reached nothing, then or later.
  QCoreApplication::processEvents();
  QCOMPARE(decryptions, 0);
  QCOMPARE(fileName()->text(), QStringLiteral("notes.txt"));
  QVERIFY(window().isVisible());
  QCOMPARE(status(), QStringLiteral("File encryption failed!"));
  QVERIFY(bar->isHidden());
}

void frmMainQtTest::aJobThatThrowsEndsInAFileErrorBoxAndTheWindowGoesOn() {
  orvelin::MainWindowServices services = orvelin::qtMainWindowServices(*recorder_);
  services.encryptFile = [](const std::u16string &, const std::u16string &, orvelin::MessageSink &,
                            const orvelin::JobProgress &progress) -> bool {
    progress(0.5);
    throw std::runtime_error("the disk went away");
  };
  window_.reset();
  windows_.emplace(std::move(services));
  window_.emplace(*windows_, orvelin::Window::frmMain, *system_, navigator_, [] {});
  window_->show();
  QVERIFY(QTest::qWaitForWindowActive(&window()));
  const QString file = path(QStringLiteral("notes.txt"));
  const std::string content = "some private notes";
  const std::string encrypted = orvelin::testing::sealAndEncrypt("pw", content, *recorder_);
  QVERIFY(writeFile(file, QByteArray::fromStdString(encrypted)));
  fileName()->setText(file);
  password()->setText(QStringLiteral("pw"));

  click("cmdencrypt");

  const std::vector<orvelin::testing::RecordedMessage> expected{
      {"Cannot encrypt \"" + file.toStdString() + "\": the disk went away.", "File Error", MessageStyle::Critical}};
  QCOMPARE(recorder_->messages(), expected);
  QCOMPARE(status(), QStringLiteral("File encryption failed!"));
  QCOMPARE(window().cursor().shape(), Qt::ArrowCursor);
  QCOMPARE(contentOf(file).toStdString(), encrypted);
  // The window takes the next job as if nothing had happened.
  click("cmddecrypt");
  QCOMPARE(status(), QStringLiteral("File decryption complete!"));
  QCOMPARE(contentOf(file).toStdString(), content);
}

void frmMainQtTest::browseAsksOverTheWindow() {
  dialogAnswer_ = QStringLiteral("/home/user/r\u00e9sum\u00e9.txt");

  click("cmdbrowse");

  QCOMPARE(dialogParents_, std::vector<QWidget *>{&window()});
  QCOMPARE(fileName()->text(), dialogAnswer_);
}

void frmMainQtTest::lookUpFindsOrdinaryFilesOnly_data() {
  QTest::addColumn<QString>("name"); // %1 is the test's folder
  QTest::addColumn<bool>("found");
  QTest::newRow("file") << "%1/plain.txt" << true;
  QTest::newRow("link to a file") << "%1/link.txt" << true;
  QTest::newRow("link to a hidden file") << "%1/to-hidden.txt" << true;
  QTest::newRow("file in a hidden folder") << "%1/.folder/plain.txt" << true;
  QTest::newRow("missing file") << "%1/missing.txt" << false;
  QTest::newRow("folder") << "%1" << false;
  QTest::newRow("folder with separator") << "%1/" << false;
  // Wildcards are refused even where a file has that very name.
  QTest::newRow("star") << "%1/*.txt" << false;
  QTest::newRow("question mark") << "%1/plai?.txt" << false;
  QTest::newRow("blanks") << "   " << false;
  QTest::newRow("link to nothing") << "%1/dangling.txt" << false;
  // Hidden files are passed over as missing ones are; the name as typed decides, not a link's target.
  QTest::newRow("hidden file") << "%1/.hidden.txt" << false;
  QTest::newRow("hidden link to a file") << "%1/.link.txt" << false;
}

void frmMainQtTest::lookUpFindsOrdinaryFilesOnly() {
  QFETCH(QString, name);
  QFETCH(bool, found);
  const QByteArray content("plain content\n");
  QVERIFY(writeFile(path("plain.txt"), content));
  QVERIFY(writeFile(path("*.txt"), content));
  QVERIFY(writeFile(path("plai?.txt"), content));
  QVERIFY(QFile::link(path("plain.txt"), path("link.txt")));
  QVERIFY(QFile::link(path("nowhere.txt"), path("dangling.txt")));
  QVERIFY(writeFile(path(".hidden.txt"), content));
  QVERIFY(QFile::link(path("plain.txt"), path(".link.txt")));
  QVERIFY(QFile::link(path(".hidden.txt"), path("to-hidden.txt")));
  QVERIFY(QDir(folder_->path()).mkdir(QStringLiteral(".folder")));
  QVERIFY(writeFile(path(".folder/plain.txt"), content));
  const QString typed = name.contains(QLatin1String("%1")) ? name.arg(folder_->path()) : name;

  QCOMPARE(orvelin::qtMainWindowServices(*recorder_).findsFile(typed.toStdU16String()), found);
}

void frmMainQtTest::oneDroppedFileIsTakenAsTheName_data() {
  QTest::addColumn<QString>("onto");      // a control, or the window where it has none
  QTest::addColumn<QStringList>("files"); // in the test's folder
  QTest::addColumn<QList<QUrl>>("addresses");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("taken");
  const QString window;
  const auto box = QString::fromLatin1(frmMainControls::fileName.data(), frmMainControls::fileName.size());
  const QList<QUrl> remote{QUrl(QStringLiteral("https://orvelin.invalid/notes.txt"))};
  for (const QString &onto : {window, box}) {
    const char *where = onto.isEmpty() ? "window" : "name box";
    QTest::addRow("one file on the %s", where) << onto << QStringList{"a.txt"} << QList<QUrl>() << QString() << true;
    QTest::addRow("two files on the %s", where)
        << onto << QStringList{"a.txt", "b.txt"} << QList<QUrl>() << QString() << false;
    QTest::addRow("a remote address on the %s", where) << onto << QStringList() << remote << QString() << false;
    QTest::addRow("a file and a remote address on the %s", where)
        << onto << QStringList{"a.txt"} << remote << QString() << false;
    QTest::addRow("text on the %s", where) << onto << QStringList() << QList<QUrl>() << "a.txt" << false;
  }
}

void frmMainQtTest::oneDroppedFileIsTakenAsTheName() {
  QFETCH(QString, onto);
  QFETCH(QStringList, files);
  QFETCH(QList<QUrl>, addresses);
  QFETCH(QString, text);
  QFETCH(bool, taken);
  QList<QUrl> urls;
  for (const QString &file : files) {
    QVERIFY(writeFile(path(file), "content"));
    urls.append(QUrl::fromLocalFile(path(file)));
  }
  urls.append(addresses);
  QMimeData data;
  if (!urls.isEmpty()) {
    data.setUrls(urls);
  }
  if (!text.isEmpty()) {
    data.setText(path(text));
  }
  const QString typed = QStringLiteral("typed.txt");
  fileName()->setText(typed);
  const QWidget *target = onto.isEmpty() ? nullptr : window().findChild<QWidget *>(onto);
  const QPoint at = target != nullptr ? target->geometry().center() : QPoint(0, 0);
  QCOMPARE(window().childAt(at), target);

  // A drag of addresses is taken, to see whether they are files; one of text is not.
  QCOMPARE(drop(at, data), !urls.isEmpty());
  QCOMPARE(fileName()->text(), taken ? path(files.front()) : typed);
}

// `orvelin FILE`, as a file manager starts it: the password typed straight away goes to the
// password box, and Encrypt does the job on the file.
// Shown, the window keeps the focus where the behaviour put it; the jobs on the file are the screen
// reader's session's (scripts/check-accessibility).
void frmMainQtTest::aHandedFileIsInTheNameBoxWithTheFocusInThePasswordBox() {
  const QString file = path(QStringLiteral("handed \u00fc.txt"));
  window_.reset();
  windows_.emplace(orvelin::qtMainWindowServices(*recorder_), file.toStdU16String());
  window_.emplace(*windows_, orvelin::Window::frmMain, *system_, navigator_, [] {});
  window_->show();
  QVERIFY(QTest::qWaitForWindowActive(&window()));
  QCOMPARE(fileName()->text(), file);
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(password()));
}

QTEST_MAIN(frmMainQtTest)
#include "frmMain_qt_test.moc"
