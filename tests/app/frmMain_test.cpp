#include "address_space_limit.h"
#include "app/frmMain.h"
#include "app/window_fonts.h"
#include "tests/crypto/message_recorder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <utility>

using orvelin::frmMain;
using orvelin::MessagePresenter;
using orvelin::MessageStyle;
using orvelin::setMessagePresenter;
using orvelin::testing::MessageRecorder;
using orvelin::testing::RecordedMessage;

namespace {

const QString encryptingText = QStringLiteral("Encrypting file.  Please wait....");
const QString decryptingText = QStringLiteral("Decrypting file.  Please wait....");

// What the window showed while each message box was up; the boxes go on to the presenter below.
// The job runs without the event loop, so only a status painted on the spot can have been seen.
class WindowAtBoxes : public QObject {
public:
  struct Seen {
    QString status;
    bool statusPainted;
    Qt::CursorShape pointer;
  };

  explicit WindowAtBoxes(const frmMain &window)
      : status_(window.findChild<QLabel *>("lblmessage")),
        below_(
            setMessagePresenter([this, &window](const std::string &text, const std::string &title, MessageStyle style) {
              seen_.push_back({status_->text(), painted_.contains(status_->text()), window.cursor().shape()});
              below_(text, title, style);
            })) {
    status_->installEventFilter(this);
  }
  WindowAtBoxes(const WindowAtBoxes &) = delete;
  WindowAtBoxes &operator=(const WindowAtBoxes &) = delete;
  ~WindowAtBoxes() override { setMessagePresenter(std::move(below_)); }

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
  QStringList painted_;
  std::vector<Seen> seen_;
  MessagePresenter below_;
};

QByteArray contentOf(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

RecordedMessage critical(const QString &text, const QString &title) {
  return {text.toStdString(), title.toStdString(), MessageStyle::Critical};
}

} // namespace

class frmMainTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { orvelin::registerFontSubstitutes(); }
  void init();
  void cleanup();

  void opensEmptyFixedFramelessAndCentred();
  void drawsThinOutlinesAndLinesOnWhite();
  void onlyTheTextBoxesTakeFocus();
  void enterAndEscapeDoNothing();
  void inputChecks_data();
  void inputChecks();
  void encryptThenDecryptRestoresTheFile_data();
  void encryptThenDecryptRestoresTheFile();
  void wrongPasswordLeavesTheFileAndSaysDecryptionFailed();
  void refusedEncryptionSaysEncryptionFailed_data();
  void refusedEncryptionSaysEncryptionFailed();
  void browse_data();
  void browse();
  void minimizeLabelMinimizes();
  void exitLabelEndsTheProgram();
  void links_data();
  void links();

private:
  template <typename Control> Control *control(const char *name) const {
    return window_->findChild<Control *>(QString::fromLatin1(name));
  }
  [[nodiscard]] QLineEdit *fileName() const { return control<QLineEdit>("txtfilename"); }
  [[nodiscard]] QLineEdit *password() const { return control<QLineEdit>("txtpassword"); }
  [[nodiscard]] QString status() const { return control<QLabel>("lblmessage")->text(); }
  [[nodiscard]] QString path(const QString &name) const { return folder_->filePath(name); }
  void click(const char *name) const { QTest::mouseClick(control<QLabel>(name), Qt::LeftButton); }
  void verifyDefaultPointer() const;

  std::optional<QTemporaryDir> folder_;
  std::unique_ptr<frmMain> window_;
  // The dialog's answers, in turn; empty is a cancel.
  std::deque<QString> dialogAnswers_;
  std::vector<QWidget *> dialogParents_;
};

void frmMainTest::init() {
  folder_.emplace();
  QVERIFY(folder_->isValid());
  dialogAnswers_.clear();
  dialogParents_.clear();
  window_ = std::make_unique<frmMain>([this](QWidget *parent) {
    dialogParents_.push_back(parent);
    QString answer = dialogAnswers_.empty() ? QString() : dialogAnswers_.front();
    if (!dialogAnswers_.empty()) {
      dialogAnswers_.pop_front();
    }
    return answer;
  });
  window_->show();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void frmMainTest::cleanup() {
  window_.reset();
  folder_.reset();
}

void frmMainTest::verifyDefaultPointer() const { QCOMPARE(window_->cursor().shape(), Qt::ArrowCursor); }

void frmMainTest::opensEmptyFixedFramelessAndCentred() {
  QCOMPARE(fileName()->text(), QString());
  QCOMPARE(password()->text(), QString());
  QCOMPARE(password()->echoMode(), QLineEdit::Normal);
  QCOMPARE(status(), QString());
  QCOMPARE(QApplication::focusWidget(), fileName());
  verifyDefaultPointer();
  QCOMPARE(window_->windowTitle(), QStringLiteral("Orvelin File Encryption"));
  QVERIFY(window_->windowFlags().testFlag(Qt::FramelessWindowHint));
  QCOMPARE(window_->size(), QSize(443, 262));
  QCOMPARE(window_->minimumSize(), window_->maximumSize());
  const QPoint offCentre = window_->frameGeometry().center() - window_->screen()->availableGeometry().center();
  QVERIFY(offCentre.manhattanLength() <= 1);
}

void frmMainTest::drawsThinOutlinesAndLinesOnWhite() {
  const QImage image = window_->grab().toImage();
  struct Pixel {
    int x;
    int y;
    Qt::GlobalColor colour;
  };
  // Shape1 covers pixels 8..432 across and 8..248 down, Line1 is row 40, Line2 row 208, and Shape6
  // around Encrypt spans columns 152..224.
  for (const Pixel pixel : {Pixel{8, 8, Qt::black},
                            {432, 248, Qt::black},
                            {7, 8, Qt::white},
                            {433, 200, Qt::white},
                            {200, 249, Qt::white},
                            {9, 100, Qt::white},
                            {200, 40, Qt::black},
                            {200, 41, Qt::white},
                            {300, 208, Qt::black},
                            {152, 150, Qt::black},
                            {224, 150, Qt::black},
                            {155, 150, Qt::white}}) {
    QCOMPARE(image.pixelColor(pixel.x, pixel.y), QColor(pixel.colour));
  }
}

void frmMainTest::onlyTheTextBoxesTakeFocus() {
  QWidgetList focusable = window_->findChildren<QWidget *>();
  focusable.removeIf([](const QWidget *widget) { return widget->focusPolicy() == Qt::NoFocus; });
  QCOMPARE(focusable, QWidgetList({fileName(), password()}));

  QTest::keyClick(fileName(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), password());
  QTest::keyClick(password(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), fileName());
}

void frmMainTest::enterAndEscapeDoNothing() {
  const MessageRecorder recorder;
  fileName()->setText(path("missing.txt"));
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QTest::keyClick(fileName(), key);
    QTest::keyClick(password(), key);
  }
  QCOMPARE(recorder.messages().size(), 0U);
  QVERIFY(window_->isVisible());
  QCOMPARE(status(), QString());
}

void frmMainTest::inputChecks_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("name"); // %1 is the test's folder
  QTest::addColumn<QString>("password");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("focus");
  const auto row = [](const char *tag, const char *button, const char *name, const char *password, const char *text,
                      const char *title, const char *focus) {
    QTest::newRow(tag) << button << name << password << text << title << focus;
  };

  const char *noFile = "Please specify file to encrypt!";
  const char *invalid = "Invalid file name, or file missing!";
  // The password is not looked at before the name is settled.
  row("encrypt, both empty", "cmdencrypt", "", "", noFile, "No File", "txtfilename");
  row("decrypt, both empty", "cmddecrypt", "", "", noFile, "No File", "txtfilename");
  row("missing file, empty password", "cmdencrypt", "%1/missing.txt", "", invalid, "Invalid File", "txtfilename");
  row("decrypt, missing file", "cmddecrypt", "%1/missing.txt", "pw", invalid, "Invalid File", "txtfilename");
  row("folder", "cmdencrypt", "%1", "pw", invalid, "Invalid File", "txtfilename");
  row("folder with separator", "cmddecrypt", "%1/", "pw", invalid, "Invalid File", "txtfilename");
  // Wildcards are refused even where a file has that very name.
  row("star", "cmdencrypt", "%1/*.txt", "pw", invalid, "Invalid File", "txtfilename");
  row("question mark", "cmdencrypt", "%1/plai?.txt", "pw", invalid, "Invalid File", "txtfilename");
  row("blanks name", "cmdencrypt", "   ", "pw", invalid, "Invalid File", "txtfilename");
  row("link to nothing", "cmdencrypt", "%1/dangling.txt", "pw", invalid, "Invalid File", "txtfilename");
  // Hidden files are passed over as missing ones are; the name as typed decides, not a link's target.
  row("hidden file", "cmdencrypt", "%1/.hidden.txt", "pw", invalid, "Invalid File", "txtfilename");
  row("hidden link to a file", "cmddecrypt", "%1/.link.txt", "pw", invalid, "Invalid File", "txtfilename");
  row("encrypt, empty password", "cmdencrypt", "%1/plain.txt", "", "Password required for encrypting file!",
      "No Password", "txtpassword");
  row("decrypt, empty password", "cmddecrypt", "%1/plain.txt", "", "Password required for decrypting file!",
      "No Password", "txtpassword");
  row("link to a file, empty password", "cmdencrypt", "%1/link.txt", "", "Password required for encrypting file!",
      "No Password", "txtpassword");
  row("link to a hidden file, empty password", "cmdencrypt", "%1/to-hidden.txt", "",
      "Password required for encrypting file!", "No Password", "txtpassword");
  row("file in a hidden folder, empty password", "cmdencrypt", "%1/.folder/plain.txt", "",
      "Password required for encrypting file!", "No Password", "txtpassword");
}

void frmMainTest::inputChecks() {
  QFETCH(QString, button);
  QFETCH(QString, name);
  QFETCH(QString, password);
  QFETCH(QString, text);
  QFETCH(QString, title);
  QFETCH(QString, focus);
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
  fileName()->setText(name.contains(QLatin1String("%1")) ? name.arg(folder_->path()) : name);
  this->password()->setText(password);
  // Focus starts in the other box, so that the check has to move it.
  (focus == QStringLiteral("txtfilename") ? this->password() : fileName())->setFocus();
  const MessageRecorder recorder;
  const WindowAtBoxes atBoxes(*window_);

  click(qPrintable(button));

  QCOMPARE(recorder.messages(), std::vector<RecordedMessage>{critical(text, title)});
  QCOMPARE(atBoxes.seen().size(), 1U);
  QCOMPARE(atBoxes.seen().front().status, button == QStringLiteral("cmdencrypt") ? encryptingText : decryptingText);
  QVERIFY(atBoxes.seen().front().statusPainted);
  QCOMPARE(atBoxes.seen().front().pointer, Qt::WaitCursor);
  QCOMPARE(QApplication::focusWidget()->objectName(), focus);
  QCOMPARE(status(), QString());
  verifyDefaultPointer();
  QCOMPARE(contentOf(path("plain.txt")), content);
}

void frmMainTest::encryptThenDecryptRestoresTheFile_data() {
  QTest::addColumn<QString>("password");
  QTest::newRow("word") << "Secret 1";
  QTest::newRow("one blank") << " ";
}

void frmMainTest::encryptThenDecryptRestoresTheFile() {
  QFETCH(QString, password);
  const QByteArray content("first line\r\nsecond\0line\n", 24);
  const QString file = path("notes.txt");
  QVERIFY(writeFile(file, content));
  fileName()->setText(file);
  this->password()->setText(password);
  const MessageRecorder recorder;

  click("cmdencrypt");
  const QByteArray encrypted = contentOf(file);
  QCOMPARE(recorder.messages().size(), 0U);
  QCOMPARE(status(), QStringLiteral("File encryption complete!"));
  verifyDefaultPointer();
  QVERIFY(!encrypted.isEmpty() && encrypted != content);

  click("cmddecrypt");
  QCOMPARE(recorder.messages().size(), 0U);
  QCOMPARE(status(), QStringLiteral("File decryption complete!"));
  verifyDefaultPointer();
  QCOMPARE(contentOf(file), content);
}

void frmMainTest::wrongPasswordLeavesTheFileAndSaysDecryptionFailed() {
  const QString file = path("notes.txt");
  QVERIFY(writeFile(file, "some private notes"));
  fileName()->setText(file);
  password()->setText(QStringLiteral("right"));
  click("cmdencrypt");
  QCOMPARE(status(), QStringLiteral("File encryption complete!"));
  const QByteArray encrypted = contentOf(file);
  password()->setText(QStringLiteral("wrong"));
  const MessageRecorder recorder;
  const WindowAtBoxes atBoxes(*window_);

  click("cmddecrypt");

  // Which of the two a wrong key gives depends on whether the padding happens to decrypt cleanly.
  QCOMPARE(recorder.messages().size(), 1U);
  const RecordedMessage &shown = recorder.messages().front();
  QVERIFY2(shown == orvelin::testing::engineFailure("Error -2146893819 during CryptDecrypt!") ||
               shown == orvelin::testing::corruptionMessage(),
           shown.text.c_str());
  QCOMPARE(atBoxes.seen().front().status, decryptingText);
  QVERIFY(atBoxes.seen().front().statusPainted);
  QCOMPARE(atBoxes.seen().front().pointer, Qt::WaitCursor);
  QCOMPARE(status(), QStringLiteral("File decryption failed!"));
  verifyDefaultPointer();
  QCOMPARE(contentOf(file), encrypted);
}

void frmMainTest::refusedEncryptionSaysEncryptionFailed_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<std::size_t>("memoryHeadroom"); // 0: no limit
  QTest::addColumn<QString>("title");
  // No Windows-1252 byte for these characters, so the job refuses the password.
  QTest::newRow("password") << QStringLiteral("\u5BC6\u7801") << QByteArray("some private notes") << std::size_t{0}
                            << QStringLiteral("Invalid Password");
#if !defined(__SANITIZE_ADDRESS__) // whose shadow memory cannot live under a limit
  constexpr std::size_t mebibyte = std::size_t{1} << 20;
  QTest::newRow("memory") << QStringLiteral("pw") << QByteArray(64 * mebibyte, 'x') << 16 * mebibyte
                          << QStringLiteral("File Error");
#endif
}

void frmMainTest::refusedEncryptionSaysEncryptionFailed() {
  QFETCH(QString, typed);
  QFETCH(QByteArray, content);
  QFETCH(std::size_t, memoryHeadroom);
  QFETCH(QString, title);
  const QString file = path("notes.txt");
  QVERIFY(writeFile(file, content));
  fileName()->setText(file);
  password()->setText(typed);
  const MessageRecorder recorder;

  {
    std::optional<orvelin::testing::AddressSpaceLimit> limit;
    if (memoryHeadroom != 0) {
      limit.emplace(memoryHeadroom);
    }
    click("cmdencrypt");
  }

  QCOMPARE(recorder.messages().size(), 1U);
  QCOMPARE(QString::fromStdString(recorder.messages().front().title), title);
  QCOMPARE(status(), QStringLiteral("File encryption failed!"));
  verifyDefaultPointer();
  QCOMPARE(contentOf(file), content);
}

void frmMainTest::browse_data() {
  QTest::addColumn<QStringList>("answers"); // one per Browse click; empty is a cancel
  QTest::addColumn<QString>("nameAfter");

  QTest::newRow("confirm") << QStringList{"/home/user/a.txt"} << "/home/user/a.txt";
  QTest::newRow("second confirm") << QStringList{"/home/user/a.txt", "/home/user/b"} << "/home/user/b";
  QTest::newRow("cancel after a confirm") << QStringList{"/home/user/a.txt", ""} << "/home/user/a.txt";
  QTest::newRow("cancels after a confirm") << QStringList{"/home/user/a.txt", "", ""} << "/home/user/a.txt";
  QTest::newRow("cancel at first use") << QStringList{""} << "";
  QTest::newRow("confirm after a cancel") << QStringList{"", "/home/user/a.txt"} << "/home/user/a.txt";
}

void frmMainTest::browse() {
  QFETCH(QStringList, answers);
  QFETCH(QString, nameAfter);
  dialogAnswers_.assign(answers.begin(), answers.end());
  password()->setText(QStringLiteral("pw"));
  const MessageRecorder recorder;

  for (qsizetype i = 0; i < answers.size(); ++i) {
    // Whatever was typed in between, the dialog's answer replaces it.
    fileName()->setText(QStringLiteral("typed.txt"));
    click("cmdbrowse");
  }

  QCOMPARE(fileName()->text(), nameAfter);
  QCOMPARE(dialogParents_, std::vector<QWidget *>(static_cast<std::size_t>(answers.size()), window_.get()));
  QCOMPARE(password()->text(), QStringLiteral("pw"));
  QCOMPARE(status(), QString());
  verifyDefaultPointer();
  QCOMPARE(recorder.messages().size(), 0U);
}

void frmMainTest::minimizeLabelMinimizes() {
  click("Label3");
  QVERIFY(window_->isMinimized());
}

void frmMainTest::exitLabelEndsTheProgram() {
  // The click comes from inside the program's event loop, as a user's would. Should it not end the
  // loop, the fallback does on the loop's next pass, with another code.
  QTimer clicker;
  QTimer fallback;
  clicker.setSingleShot(true);
  fallback.setSingleShot(true);
  connect(&fallback, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
  connect(&clicker, &QTimer::timeout, this, [this, &fallback] {
    click("Label2");
    fallback.start(0);
  });
  clicker.start(0);
  QCOMPARE(QCoreApplication::exec(), 0);
}

void frmMainTest::links_data() {
  QTest::addColumn<QString>("label");
  QTest::addColumn<int>("link"); // which of the three signals
  QTest::newRow("About") << "Label4" << 0;
  QTest::newRow("Help") << "Label5" << 1;
  QTest::newRow("security key") << "securitykey" << 2;
}

void frmMainTest::links() {
  QFETCH(QString, label);
  QFETCH(int, link);
  const std::array<QSignalSpy, 3> spies{QSignalSpy(window_.get(), &frmMain::aboutRequested),
                                        QSignalSpy(window_.get(), &frmMain::helpRequested),
                                        QSignalSpy(window_.get(), &frmMain::securityKeyRequested)};

  click(qPrintable(label));

  for (std::size_t i = 0; i < spies.size(); ++i) {
    QCOMPARE(spies.at(i).count(), std::cmp_equal(i, link) ? 1 : 0);
  }
  QVERIFY(window_->isVisible());
}

QTEST_MAIN(frmMainTest)
#include "frmMain_test.moc"
