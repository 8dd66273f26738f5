// The program's windows switched by the Qt front end inside Qt's own event loop, as the user drives
// them: a switch waits for the handler that asked for it, and the program ends only when it should.

#include "frontends/qt/qt_file_services.h"
#include "frontends/qt/qt_window_system.h"
#include "frontends/qt/window_fonts.h"
#include "tests/crypto/message_recorder.h"
#include "ui/window_switcher.h"
#include "windows/program_windows.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <optional>

using orvelin::QtWindowSystem;
using orvelin::WindowSwitcher;

namespace {

// Every window of the program that exists, shown or not.
QWidgetList loadedWindows() {
  QWidgetList windows = QApplication::topLevelWidgets();
  windows.removeIf([](const QWidget *window) { return !window->inherits("orvelin::DrawnWindow"); });
  return windows;
}

QWidget *onlyWindow() {
  const QWidgetList windows = loadedWindows();
  return windows.size() == 1 ? windows.front() : nullptr;
}

void click(const char *label) {
  QTest::mouseClick(onlyWindow()->findChild<QLabel *>(QString::fromLatin1(label)), Qt::LeftButton);
}

void tick() { QMetaObject::invokeMethod(onlyWindow()->findChild<QTimer *>("Timer1"), "timeout"); }

} // namespace

class QtWindowSystemTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { orvelin::registerFontSubstitutes(); }
  void init();
  void cleanup();

  void workAfterTheHandlerRunsOnceItHasReturnedInOrder();
  void switchesKeepTheProgramRunning();
  void theMainWindowsExitEndsTheProgram();
  void closingTheLastWindowEndsTheProgram();

private:
  void startAtMain();

  orvelin::testing::MessageRecorder boxes_;
  const orvelin::ProgramWindows windows_{orvelin::qtMainWindowServices(boxes_)};
  std::optional<QtWindowSystem> system_;
  std::optional<WindowSwitcher> switcher_;
};

void QtWindowSystemTest::init() {
  QCOMPARE(loadedWindows().size(), 0);
  system_.emplace();
  switcher_.emplace(*system_, windows_);
  switcher_->start();
}

void QtWindowSystemTest::cleanup() {
  switcher_.reset();
  system_.reset();
}

void QtWindowSystemTest::startAtMain() {
  tick();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  QCOMPARE(onlyWindow()->objectName(), QStringLiteral("frmMain"));
}

void QtWindowSystemTest::workAfterTheHandlerRunsOnceItHasReturnedInOrder() {
  QStringList ran;
  QVERIFY(!QApplication::quitOnLastWindowClosed());

  system_->runAfterHandler([&ran] { ran.append(QStringLiteral("first")); });
  system_->runAfterHandler([&ran] { ran.append(QStringLiteral("second")); });
  QCOMPARE(ran, QStringList());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);

  QCOMPARE(ran, QStringList({"first", "second"}));
}

void QtWindowSystemTest::switchesKeepTheProgramRunning() {
  // Every kind of switch, inside the program's event loop as the user drives it: splash to main,
  // main to About, About to main. Each step waits for the loop's next pass, which a program that
  // ended during a switch never reaches; only the last step ends the loop, with a code of its own.
  QStringList shown;
  QPointer<QWidget> last;
  QTimer step;
  step.setInterval(0);
  connect(&step, &QTimer::timeout, this, [&shown, &last] {
    QWidget *window = onlyWindow();
    if (window == nullptr || window == last) {
      return;
    }
    last = window;
    shown.append(window->objectName());
    if (shown.size() == 1) {
      tick();
    } else if (shown.size() == 2) {
      click("Label4");
    } else if (shown.size() == 3) {
      click("Label2");
    } else {
      QCoreApplication::exit(42);
    }
  });
  step.start();

  QCOMPARE(QCoreApplication::exec(), 42);
  QCOMPARE(shown, QStringList({"Startup", "frmMain", "About", "frmMain"}));
}

void QtWindowSystemTest::theMainWindowsExitEndsTheProgram() {
  startAtMain();
  // The click comes from inside the program's event loop, as a user's would. Should it not end the
  // loop, the fallback does on the loop's next pass, with another code.
  QTimer clicker;
  QTimer fallback;
  clicker.setSingleShot(true);
  fallback.setSingleShot(true);
  connect(&fallback, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
  connect(&clicker, &QTimer::timeout, this, [&fallback] {
    click("Label2");
    fallback.start(0);
  });
  clicker.start(0);
  QCOMPARE(QCoreApplication::exec(), 0);
}

void QtWindowSystemTest::closingTheLastWindowEndsTheProgram() {
  startAtMain();
  const QPointer<QWidget> main = onlyWindow();
  // Closed through the system rather than left by a switch, the window is gone and nothing
  // replaces it. Should the program go on, the fallback ends the loop with another code.
  QTimer closer;
  QTimer fallback;
  closer.setSingleShot(true);
  fallback.setSingleShot(true);
  connect(&fallback, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
  connect(&closer, &QTimer::timeout, this, [&main, &fallback] {
    main->close();
    fallback.start(5000);
  });
  closer.start(0);

  QCOMPARE(QCoreApplication::exec(), 0);
  QVERIFY(main.isNull());
  QCOMPARE(loadedWindows().size(), 0);
}

QTEST_MAIN(QtWindowSystemTest)
#include "qt_window_system_test.moc"
