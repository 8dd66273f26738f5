// What a window made by the Qt front end reports (clicks on clickable controls only, its timer's
// ticks, a close through the system) and what it does when its behaviour asks.

#include "frontends/qt/window_fonts.h"
#include "open_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <optional>

using orvelin::ControlKind;
using orvelin::Window;
using orvelin::testing::OpenWindow;
using orvelin::testing::windowNamed;

namespace {

// Whether a widget was painted since the filter was installed.
class PaintWatch : public QObject {
public:
  explicit PaintWatch(QWidget &watched) { watched.installEventFilter(this); }
  bool painted = false;

protected:
  bool eventFilter(QObject * /*watched*/, QEvent *event) override {
    painted = painted || event->type() == QEvent::Paint;
    return false;
  }
};

} // namespace

class QtWindowEventsTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { orvelin::registerFontSubstitutes(); }
  void cleanup() { window_.reset(); }

  void onlyClickableControlsReportClicks_data();
  void onlyClickableControlsReportClicks();
  void enterAndEscapeDoNothing();
  void theSplashTicksFourSecondsAfterItIsShown();
  void aCloseThroughTheSystemIsReported();
  void showsWhatItsBehaviourAsks();
  void paintsAtOnceWhenAsked();

private:
  void open(Window window);
  [[nodiscard]] QWidget &widget() const { return window_->widget(); }
  template <typename Control> Control *control(const char *name) const {
    return widget().findChild<Control *>(QString::fromLatin1(name));
  }

  std::optional<OpenWindow> window_;
};

void QtWindowEventsTest::open(Window window) {
  window_.emplace(window);
  window_->rendered.show();
  QVERIFY(QTest::qWaitForWindowActive(&widget()));
}

void QtWindowEventsTest::onlyClickableControlsReportClicks_data() {
  QTest::addColumn<int>("unused");
  for (const Window window : orvelin::allWindows) {
    QTest::newRow(orvelin::designOf(window).name.data()) << 0;
  }
}

void QtWindowEventsTest::onlyClickableControlsReportClicks() {
  const Window window = windowNamed(QString::fromLatin1(QTest::currentDataTag()));
  open(window);
  const QPoint placed = widget().pos();

  // The window's background, and a drag across it.
  QTest::mouseClick(&widget(), Qt::LeftButton, {}, QPoint(30, 120));
  QTest::mousePress(&widget(), Qt::LeftButton, {}, QPoint(30, 120));
  QTest::mouseMove(&widget(), QPoint(150, 200));
  QTest::mouseRelease(&widget(), Qt::LeftButton, {}, QPoint(150, 200));
  QCOMPARE(window_->events.list, QStringList());
  QCOMPARE(widget().pos(), placed);

  for (const orvelin::ControlDesign &each : orvelin::designOf(window).controls) {
    const QString name = QString::fromLatin1(each.name.data(), static_cast<qsizetype>(each.name.size()));
    auto *label = widget().findChild<QLabel *>(name);
    if (label == nullptr) {
      continue; // a text box, which takes the click as a text box does
    }
    window_->events.list.clear();
    QTest::mouseClick(label, Qt::LeftButton);
    const bool clickable = each.kind == ControlKind::ClickableLabel || each.kind == ControlKind::ClickArea;
    QCOMPARE(window_->events.list, clickable ? QStringList{QStringLiteral("click ") + name} : QStringList());
  }
  QVERIFY(!widget().isMinimized());
}

void QtWindowEventsTest::enterAndEscapeDoNothing() {
  open(Window::frmMain);
  auto *fileName = control<QLineEdit>("txtfilename");
  auto *password = control<QLineEdit>("txtpassword");
  fileName->setText(QStringLiteral("notes.txt"));
  password->setText(QStringLiteral("secret"));
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QTest::keyClick(fileName, key);
    QTest::keyClick(password, key);
  }
  QCOMPARE(window_->events.list, QStringList());
  QVERIFY(widget().isVisible());
}

void QtWindowEventsTest::theSplashTicksFourSecondsAfterItIsShown() {
  window_.emplace(Window::Startup);
  auto *timer = widget().findChild<QTimer *>(QStringLiteral("Timer1"));
  if (timer == nullptr) {
    QFAIL("Timer1 is missing");
  }
  QVERIFY(!timer->isActive());
  window_->rendered.show();
  QVERIFY(timer->isActive());
  QCOMPARE(timer->interval(), 4000);
  // A coarse timer may fire up to a twentieth late; the splash stays its four seconds.
  QCOMPARE(timer->timerType(), Qt::PreciseTimer);

  QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));

  QCOMPARE(window_->events.list, QStringList{QStringLiteral("tick Timer1")});
}

void QtWindowEventsTest::aCloseThroughTheSystemIsReported() {
  open(Window::Help);

  QVERIFY(widget().close());

  QCOMPARE(window_->events.list, QStringList{QStringLiteral("closed")});
  QVERIFY(!widget().isVisible());
}

void QtWindowEventsTest::showsWhatItsBehaviourAsks() {
  open(Window::frmMain);
  orvelin::QtWindow &view = window_->rendered;
  const std::u16string name = u"/home/user/r\u00e9sum\u00e9 \u20ac.txt";

  view.setText("txtfilename", name);
  view.setText("lblmessage", u"File encryption complete!");
  QCOMPARE(control<QLineEdit>("txtfilename")->text(), QString::fromStdU16String(name));
  QCOMPARE(view.text("txtfilename"), name);
  QCOMPARE(control<QLabel>("lblmessage")->text(), QStringLiteral("File encryption complete!"));
  QCOMPARE(view.text("lblmessage"), u"File encryption complete!");

  view.focus("txtpassword");
  QCOMPARE(QApplication::focusWidget(), control<QLineEdit>("txtpassword"));

  view.setVisible("Label1", false);
  QVERIFY(!control<QLabel>("Label1")->isVisibleTo(&widget()));
  view.setVisible("Label1", true);
  QVERIFY(control<QLabel>("Label1")->isVisibleTo(&widget()));

  view.setBusyPointer(true);
  QCOMPARE(widget().cursor().shape(), Qt::WaitCursor);
  view.setBusyPointer(false);
  QCOMPARE(widget().cursor().shape(), Qt::ArrowCursor);

  view.minimise();
  QVERIFY(widget().isMinimized());
  QCOMPARE(window_->events.list, QStringList());
}

void QtWindowEventsTest::paintsAtOnceWhenAsked() {
  open(Window::frmMain);
  auto *status = control<QLabel>("lblmessage");
  // Whatever the first showing left to paint is painted first.
  QCoreApplication::processEvents();
  window_->rendered.setText("lblmessage", u"Encrypting file.  Please wait....");
  const PaintWatch watch(*status);

  window_->rendered.paintNow();

  QVERIFY(watch.painted);
}

QTEST_MAIN(QtWindowEventsTest)
#include "qt_window_events_test.moc"
