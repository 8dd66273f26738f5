#include "app/window_fonts.h"
#include "windows/window_switcher.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using orvelin::WindowSwitcher;

namespace {

// Every window of the program that exists, shown or not.
QWidgetList loadedWindows() {
  QWidgetList windows = QApplication::topLevelWidgets();
  windows.removeIf([](const QWidget *window) { return !window->inherits("orvelin::DrawnWindow"); });
  return windows;
}

void click(QWidget *window, const char *label) {
  QTest::mouseClick(window->findChild<QLabel *>(QString::fromLatin1(label)), Qt::LeftButton);
}

void tick(QWidget *splash) { QMetaObject::invokeMethod(splash->findChild<QTimer *>("Timer1"), "timeout"); }

QString textOf(QWidget *window, const char *box) {
  return window->findChild<QLineEdit *>(QString::fromLatin1(box))->text();
}

} // namespace

class WindowSwitcherTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { orvelin::registerFontSubstitutes(); }
  void init();
  void cleanup() { switcher_.reset(); }

  void tickReplacesTheSplashWithOneMainWindow();
  void navigation_data();
  void navigation();
  void aboutReopensOnItsFirstGroup();
  void quickSecondRequestIsIgnored();
  void switchesKeepTheProgramRunning();
  void closingTheLastWindowEndsTheProgram();

private:
  // Runs the switch that the last click or tick asked for.
  void settle() { QCoreApplication::sendPostedEvents(switcher_.get(), QEvent::MetaCall); }
  void startAtMain();
  [[nodiscard]] QWidget *current() const { return switcher_->current(); }

  std::unique_ptr<WindowSwitcher> switcher_;
};

void WindowSwitcherTest::init() {
  QCOMPARE(loadedWindows().size(), 0);
  switcher_ = std::make_unique<WindowSwitcher>();
  switcher_->showSplash();
}

void WindowSwitcherTest::startAtMain() {
  tick(current());
  settle();
  QVERIFY(current()->inherits("orvelin::frmMain"));
}

void WindowSwitcherTest::tickReplacesTheSplashWithOneMainWindow() {
  const QPointer<QWidget> splash = current();
  QVERIFY(splash->inherits("orvelin::Startup"));
  QVERIFY(splash->isVisible());
  QCOMPARE(loadedWindows(), QWidgetList{splash.data()});
  QVERIFY(!QApplication::quitOnLastWindowClosed());
  QWidgetList windowsAtUnload;
  connect(splash, &QObject::destroyed, this, [&windowsAtUnload] { windowsAtUnload = loadedWindows(); });
  const QSignalSpy switched(switcher_.get(), &WindowSwitcher::switched);

  tick(splash);
  // Until the tick's handler has returned, the splash is still all there is.
  QCOMPARE(loadedWindows(), QWidgetList{splash.data()});
  settle();

  QVERIFY(splash.isNull());
  QVERIFY(windowsAtUnload.isEmpty());
  QCOMPARE(switched.count(), 1);
  QVERIFY(current()->inherits("orvelin::frmMain"));
  QCOMPARE(switched.front().front().value<QWidget *>(), current());
  QCOMPARE(loadedWindows(), QWidgetList{current()});
  QVERIFY(current()->isVisible());
  QCOMPARE(textOf(current(), "txtfilename"), QString());
}

void WindowSwitcherTest::navigation_data() {
  QTest::addColumn<QString>("link");
  QTest::addColumn<QString>("window");
  QTest::addColumn<QString>("exit");
  const auto row = [](const char *tag, const char *link, const char *window, const char *exit) {
    QTest::newRow(tag) << link << window << exit;
  };
  row("About", "Label4", "orvelin::About", "Label2");
  row("Help", "Label5", "orvelin::Help", "Label5");
  row("security key", "securitykey", "orvelin::softinf", "Label6");
}

void WindowSwitcherTest::navigation() {
  QFETCH(QString, link);
  QFETCH(QString, window);
  QFETCH(QString, exit);
  startAtMain();
  const QPointer<QWidget> main = current();
  QTest::keyClicks(main->findChild<QLineEdit *>("txtfilename"), QStringLiteral("notes.txt"));
  QTest::keyClicks(main->findChild<QLineEdit *>("txtpassword"), QStringLiteral("secret"));

  click(main, qPrintable(link));
  QCOMPARE(loadedWindows(), QWidgetList{main.data()});
  settle();

  QVERIFY(main.isNull());
  QVERIFY(current()->inherits(qPrintable(window)));
  QVERIFY(current()->isVisible());
  QCOMPARE(loadedWindows(), QWidgetList{current()});

  const QPointer<QWidget> information = current();
  click(information, qPrintable(exit));
  QCOMPARE(loadedWindows(), QWidgetList{information.data()});
  settle();

  QVERIFY(information.isNull());
  QVERIFY(current()->inherits("orvelin::frmMain"));
  QVERIFY(current()->isVisible());
  QCOMPARE(loadedWindows(), QWidgetList{current()});
  QCOMPARE(textOf(current(), "txtfilename"), QString());
  QCOMPARE(textOf(current(), "txtpassword"), QString());
}

void WindowSwitcherTest::aboutReopensOnItsFirstGroup() {
  startAtMain();
  click(current(), "Label4");
  settle();
  click(current(), "Label11");
  QVERIFY(current()->findChild<QLabel *>("Label12")->isVisibleTo(current()));
  click(current(), "Label2");
  settle();

  click(current(), "Label4");
  settle();

  QVERIFY(current()->findChild<QLabel *>("Label4")->isVisibleTo(current()));
  QVERIFY(!current()->findChild<QLabel *>("Label12")->isVisibleTo(current()));
}

void WindowSwitcherTest::quickSecondRequestIsIgnored() {
  startAtMain();
  QWidget *main = current();

  // Two links clicked before the first switch has run: the main window leads to About only.
  click(main, "Label4");
  click(main, "Label5");
  settle();

  QVERIFY(current()->inherits("orvelin::About"));
  QCOMPARE(loadedWindows(), QWidgetList{current()});
}

void WindowSwitcherTest::switchesKeepTheProgramRunning() {
  // Every kind of switch, inside the program's event loop as the user drives it: splash to main,
  // main to About, About to main. Each step waits for the loop's next pass, which a program that
  // ended during a switch never reaches; only the last step ends the loop, with a code of its own.
  QStringList shown;
  QTimer nextStep;
  nextStep.setSingleShot(true);
  connect(&nextStep, &QTimer::timeout, this, [this, &shown] {
    if (shown.isEmpty()) {
      tick(current());
    } else if (shown.size() == 1) {
      click(current(), "Label4");
    } else if (shown.size() == 2) {
      click(current(), "Label2");
    } else {
      QCoreApplication::exit(42);
    }
  });
  connect(switcher_.get(), &WindowSwitcher::switched, this, [&shown, &nextStep](const QWidget *window) {
    shown.append(QString::fromLatin1(window->metaObject()->className()));
    nextStep.start(0);
  });
  nextStep.start(0);

  QCOMPARE(QCoreApplication::exec(), 42);
  QCOMPARE(shown, QStringList({"orvelin::frmMain", "orvelin::About", "orvelin::frmMain"}));
}

void WindowSwitcherTest::closingTheLastWindowEndsTheProgram() {
  startAtMain();
  const QPointer<QWidget> main = current();
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
  QVERIFY(current() == nullptr);
  QCOMPARE(loadedWindows().size(), 0);
}

QTEST_MAIN(WindowSwitcherTest)
#include "window_switcher_test.moc"
