#include "app/window_fonts.h"
#include "tests/windows/window_checks.h"
#include "windows/About.h"
#include "windows/Help.h"
#include "windows/softinf.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using orvelin::InformationWindow;
using orvelin::testing::hasIcon;
using orvelin::testing::isCentredOnScreen;

namespace {

std::unique_ptr<InformationWindow> create(const QString &window) {
  if (window == QStringLiteral("Help")) {
    return std::make_unique<orvelin::Help>();
  }
  if (window == QStringLiteral("About")) {
    return std::make_unique<orvelin::About>();
  }
  return std::make_unique<orvelin::softinf>();
}

// The window's own part of a tag such as "About Label20".
QString windowOf(const char *tag) { return QString::fromLatin1(tag).section(QLatin1Char(' '), 0, 0); }

const QStringList alwaysShown{"Label1", "Label2", "Label3", "Label10", "Label11", "Label16", "Label20"};
const QStringList adcc{"Label4", "Label5", "Label6", "Label7", "Label8", "Label9"};
const QStringList credit{"Label12", "Label13", "Label14", "Label15"};
const QStringList communication{"Label17", "Label18", "Label19"};

} // namespace

class InformationWindowsTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { orvelin::registerFontSubstitutes(); }
  void cleanup() { window_.reset(); }

  void windows_data();
  void windows();
  void outlinesAndLines_data();
  void outlinesAndLines();
  void exitAndMinimize_data();
  void exitAndMinimize();
  void clicksWithoutHandlerDoNothing_data();
  void clicksWithoutHandlerDoNothing();
  void aboutGroups_data();
  void aboutGroups();

private:
  void open(const QString &window);
  [[nodiscard]] QLabel *label(const QString &name) const { return window_->findChild<QLabel *>(name); }
  void click(const QString &name) const { QTest::mouseClick(label(name), Qt::LeftButton); }
  [[nodiscard]] QStringList shownLabels() const;

  std::unique_ptr<InformationWindow> window_;
};

void InformationWindowsTest::open(const QString &window) {
  window_ = create(window);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

QStringList InformationWindowsTest::shownLabels() const {
  QStringList shown;
  for (const QLabel *each : window_->findChildren<QLabel *>()) {
    if (each->isVisibleTo(window_.get())) {
      shown.append(each->objectName());
    }
  }
  shown.sort();
  return shown;
}

void InformationWindowsTest::windows_data() {
  QTest::addColumn<QString>("title");
  QTest::addColumn<QSize>("size");
  QTest::addColumn<QString>("icon");
  QTest::addColumn<int>("labels");
  QTest::newRow("Help") << "Help" << QSize(341, 252) << ":/help.png" << 7;
  QTest::newRow("About") << "About" << QSize(341, 252) << ":/info.png" << 20;
  QTest::newRow("softinf") << "Software Information" << QSize(301, 251) << ":/info.png" << 6;
}

void InformationWindowsTest::windows() {
  QFETCH(QString, title);
  QFETCH(QSize, size);
  QFETCH(QString, icon);
  QFETCH(int, labels);
  open(QString::fromLatin1(QTest::currentDataTag()));

  QCOMPARE(window_->windowTitle(), title);
  QVERIFY(window_->windowFlags().testFlag(Qt::FramelessWindowHint));
  QCOMPARE(window_->size(), size);
  QCOMPARE(window_->minimumSize(), window_->maximumSize());
  QVERIFY(isCentredOnScreen(*window_));
  QVERIFY(hasIcon(*window_, icon));
  QCOMPARE(window_->findChildren<QLabel *>().size(), labels);
}

void InformationWindowsTest::outlinesAndLines_data() {
  QTest::addColumn<QPoint>("pixel");
  QTest::addColumn<QColor>("colour");
  const QColor black(Qt::black);
  const QColor white(Qt::white);
  // Shape1 spans pixels 8..328 across (8..288 on softinf) and 8..240 down; Line1 is row 40, Line2
  // row 176, Shape2 starts at column 304; Label20's green fills its box beyond the text.
  for (const char *window : {"Help", "About"}) {
    const auto row = [window](const char *what, QPoint pixel, const QColor &colour) {
      QTest::addRow("%s %s", window, what) << pixel << colour;
    };
    row("Shape1 right", {328, 100}, black);
    row("outside Shape1", {329, 100}, white);
    row("Shape1 bottom", {100, 240}, black);
    row("Line1", {100, 40}, black);
    row("Line2", {100, 176}, black);
    row("Shape2 left", {304, 20}, black);
  }
  QTest::newRow("About Label20") << QPoint(286, 190) << QColor(0, 192, 0);
  QTest::newRow("softinf Shape1 right") << QPoint(288, 100) << black;
  QTest::newRow("softinf outside Shape1") << QPoint(289, 100) << white;
  QTest::newRow("softinf Shape1 bottom") << QPoint(100, 240) << black;
  QTest::newRow("softinf no Line1") << QPoint(100, 40) << white;
}

void InformationWindowsTest::outlinesAndLines() {
  QFETCH(QPoint, pixel);
  QFETCH(QColor, colour);
  open(windowOf(QTest::currentDataTag()));
  QCOMPARE(window_->grab().toImage().pixelColor(pixel), colour);
}

void InformationWindowsTest::exitAndMinimize_data() {
  QTest::addColumn<QString>("label");
  QTest::addColumn<bool>("exits");
  QTest::newRow("Help X") << "Label5" << true;
  QTest::newRow("Help _") << "Label6" << false;
  QTest::newRow("About X") << "Label2" << true;
  QTest::newRow("About _") << "Label3" << false;
  QTest::newRow("softinf C") << "Label6" << true;
}

void InformationWindowsTest::exitAndMinimize() {
  QFETCH(QString, label);
  QFETCH(bool, exits);
  open(windowOf(QTest::currentDataTag()));
  const QSignalSpy exitRequested(window_.get(), &InformationWindow::exitRequested);

  click(label);

  QCOMPARE(exitRequested.count(), exits ? 1 : 0);
  QCOMPARE(window_->isMinimized(), !exits);
}

void InformationWindowsTest::clicksWithoutHandlerDoNothing_data() {
  QTest::addColumn<QStringList>("handled");
  QTest::newRow("Help") << QStringList{"Label5", "Label6"};
  QTest::newRow("About") << QStringList{"Label2", "Label3", "Label10", "Label11", "Label16"};
  QTest::newRow("softinf") << QStringList{"Label6"};
}

void InformationWindowsTest::clicksWithoutHandlerDoNothing() {
  QFETCH(QStringList, handled);
  open(QString::fromLatin1(QTest::currentDataTag()));
  const QSignalSpy exitRequested(window_.get(), &InformationWindow::exitRequested);
  const QStringList shownBefore = shownLabels();
  const QPoint placed = window_->pos();

  QTest::mouseClick(window_.get(), Qt::LeftButton, {}, QPoint(30, 120));
  QTest::mousePress(window_.get(), Qt::LeftButton, {}, QPoint(30, 120));
  QTest::mouseMove(window_.get(), QPoint(150, 200));
  QTest::mouseRelease(window_.get(), Qt::LeftButton, {}, QPoint(150, 200));
  for (QLabel *each : window_->findChildren<QLabel *>()) {
    if (!handled.contains(each->objectName()) && each->isVisible()) {
      QTest::mouseClick(each, Qt::LeftButton);
    }
  }

  QCOMPARE(exitRequested.count(), 0);
  QVERIFY(!window_->isMinimized());
  QCOMPARE(shownLabels(), shownBefore);
  QCOMPARE(window_->pos(), placed);
}

void InformationWindowsTest::aboutGroups_data() {
  QTest::addColumn<QStringList>("clicks");
  QTest::addColumn<QStringList>("group");
  QTest::newRow("load") << QStringList{} << adcc;
  QTest::newRow("Credit") << QStringList{"Label11"} << credit;
  QTest::newRow("Communication") << QStringList{"Label16"} << communication;
  QTest::newRow("Credit, then ADCC") << QStringList{"Label11", "Label10"} << adcc;
  QTest::newRow("Communication, then Credit") << QStringList{"Label16", "Label11"} << credit;
  QTest::newRow("ADCC while shown") << QStringList{"Label10"} << adcc;
  QTest::newRow("Credit twice") << QStringList{"Label11", "Label11"} << credit;
  QTest::newRow("Communication twice") << QStringList{"Label16", "Label16"} << communication;
  QTest::newRow("Credit, then minimize") << QStringList{"Label11", "Label3"} << credit;
}

void InformationWindowsTest::aboutGroups() {
  QFETCH(QStringList, clicks);
  QFETCH(QStringList, group);
  open(QStringLiteral("About"));

  for (const QString &selector : clicks) {
    click(selector);
  }

  QStringList expected = alwaysShown + group;
  expected.sort();
  QCOMPARE(shownLabels(), expected);
}

QTEST_MAIN(InformationWindowsTest)
#include "information_windows_test.moc"
