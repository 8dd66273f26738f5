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
  void controls_data();
  void controls();
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

void InformationWindowsTest::controls_data() {
  QTest::addColumn<QString>("text"); // ends in "..." where the rest is the program's own
  QTest::addColumn<QRect>("twips");
  QTest::addColumn<QString>("font");
  QTest::addColumn<bool>("centred");
  QTest::addColumn<QString>("tooltip");
  const auto row = [](const char *tag, const char *text, QRect twips, const char *font, bool centred,
                      const char *tooltip = "") { QTest::newRow(tag) << text << twips << font << centred << tooltip; };
  const char *plain = "MS Sans Serif 8.25";

  row("Help Label1", "HELP", {240, 280, 855, 255}, plain, false);
  row("Help Label6", "_", {4260, 220, 135, 240}, "MS Sans Serif 9.75", true, "Minimize");
  row("Help Label5", "X", {4560, 240, 225, 225}, plain, true, "Exit");
  row("Help Label2", "How to Use", {1680, 720, 1455, 375}, "Times New Roman 9.75", true);
  row("Help Label3",
      "At first click on file encryption icon/logo/corporate identity then browse your desire text file which you "
      "want to encrypted then just put cursor on password text box then input your password then click on encrypt "
      "button. Vice versa for decrypted.",
      {360, 1120, 4335, 980}, plain, true);
  row("Help Label4", "You can also follow user guide for instruction!", {840, 2160, 3255, 450},
      "Times New Roman 8.25 bold", true);
  row("Help Label7", "...", {360, 2730, 4335, 780}, plain, true);

  row("About Label1", "ABOUT", {240, 280, 735, 255}, plain, false);
  row("About Label3", "_", {4280, 220, 255, 255}, "MS Sans Serif 9.75", false, "Minimize");
  row("About Label2", "X", {4620, 250, 255, 255}, plain, false, "Exit");
  row("About Label4", "About Developer", {1180, 720, 2775, 375}, "Times New Roman 9.75", true);
  row("About Label5", "...", {1110, 1060, 2895, 375}, plain, true);
  row("About Label6", "Software User Interface Architect ", {1250, 1380, 2775, 375}, plain, true);
  row("About Label7", "Key People", {1050, 1720, 2895, 255}, plain, true);
  row("About Label8", "Code Creator", {920, 2020, 3135, 375}, "Times New Roman 9.75", true);
  row("About Label9", "...", {1610, 2295, 1815, 360}, plain, true);
  row("About Label12", "Gratitude", {2000, 720, 1095, 255}, "Times New Roman 12", true);
  row("About Label13", "...", {1200, 1080, 2655, 375}, plain, true);
  row("About Label15", "...", {1200, 1560, 2655, 375}, plain, true);
  row("About Label14", "...", {1200, 2040, 2655, 375}, plain, true);
  row("About Label17", "e-mail: ...", {1440, 840, 2535, 375}, plain, false);
  row("About Label18", "Website: ...", {1320, 1440, 2775, 375}, plain, false);
  row("About Label19", "Support Center: ...", {960, 2040, 3615, 255}, plain, true);
  row("About Label20", "Product ID: ...", {2400, 2760, 1935, 255}, plain, false);
  row("About Label16", "Communication", {1590, 3195, 1095, 255}, plain, false, "Communication");
  row("About Label10", "ADCC", {3050, 3220, 495, 255}, plain, true, "About Developer and Code Creator");
  row("About Label11", "Credit", {3940, 3210, 735, 255}, plain, true, "Credit");

  row("softinf Label1", "Orvelin File Encryptor", {240, 360, 3855, 375}, "MS Sans Serif 9.75 bold", true);
  row("softinf Label2", "Project Start Date: ...", {360, 960, 3735, 375}, "MS Sans Serif 9.75", false);
  row("softinf Label3", "Publisher: Orvelin", {360, 1680, 3735, 375}, "MS Sans Serif 9.75", false);
  row("softinf Label4", "ID Code: ...", {360, 2400, 3735, 375}, "MS Sans Serif 9.75", false);
  row("softinf Label5", "Developed by ...", {360, 3120, 3735, 375}, "MS Sans Serif 9.75", false);
  row("softinf Label6", "C", {3840, 3120, 375, 375}, "MS Sans Serif 12 bold", true);
}

void InformationWindowsTest::controls() {
  QFETCH(QString, text);
  QFETCH(QRect, twips);
  QFETCH(QString, font);
  QFETCH(bool, centred);
  QFETCH(QString, tooltip);
  open(windowOf(QTest::currentDataTag()));
  const QLabel *control = label(QString::fromLatin1(QTest::currentDataTag()).section(QLatin1Char(' '), 1));
  QVERIFY(control != nullptr);

  if (text.endsWith(QLatin1String("..."))) {
    const QString fixed = text.chopped(3);
    QVERIFY2(control->text().startsWith(fixed) && control->text().size() > fixed.size(), qPrintable(control->text()));
  } else {
    QCOMPARE(control->text(), text);
  }
  const auto pixels = [](int measure) { return qRound(measure / 15.0); };
  QCOMPARE(control->geometry(),
           QRect(pixels(twips.x()), pixels(twips.y()), pixels(twips.width()), pixels(twips.height())));
  const QString bold = control->font().weight() == QFont::Bold ? QStringLiteral(" bold") : QString();
  QCOMPARE(QStringLiteral("%1 %2%3").arg(control->font().family()).arg(control->font().pointSizeF()).arg(bold), font);
  QCOMPARE(control->alignment() & Qt::AlignHorizontal_Mask, centred ? Qt::AlignHCenter : Qt::AlignLeft);
  QCOMPARE(control->toolTip(), tooltip);
  QVERIFY(control->wordWrap());
  QCOMPARE(control->palette().color(QPalette::WindowText), window_->palette().color(QPalette::ButtonText));
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
