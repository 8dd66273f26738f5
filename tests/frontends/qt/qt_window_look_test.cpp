// How the Qt front end draws each window's design: the frame, the pictures, the outlines and lines,
// fonts and colours, and which controls take the focus.

#include "app/frmMain_design.h"
#include "frontends/qt/qt_conversions.h"
#include "frontends/qt/window_fonts.h"
#include "open_window.h"
#include "tests/frontends/qt/window_checks.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <optional>

using orvelin::Window;
using orvelin::testing::hasIcon;
using orvelin::testing::isCentredOnScreen;
using orvelin::testing::OpenWindow;
using orvelin::testing::windowNamed;

class QtWindowLookTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { orvelin::registerFontSubstitutes(); }
  void cleanup() { window_.reset(); }

  void windows_data();
  void windows();
  void outlinesAndLines_data();
  void outlinesAndLines();
  void splashDrawsThePictureAtItsOwnSize();
  void splashShowsTheMottoInWhite();
  void mainWindowOpensEmptyAndOnlyItsTextBoxesTakeFocus();
  void aDarkSchemePaintsTheMainWindowInItsColours();

private:
  void open(Window window);
  // The window named by the first word of the test's data tag.
  void openTagged() { open(windowNamed(QString::fromLatin1(QTest::currentDataTag()).section(QLatin1Char(' '), 0, 0))); }
  [[nodiscard]] QWidget &widget() const { return window_->widget(); }

  std::optional<OpenWindow> window_;
};

void QtWindowLookTest::open(Window window) {
  window_.emplace(window);
  window_->rendered.show();
  QVERIFY(QTest::qWaitForWindowExposed(&widget()));
}

void QtWindowLookTest::windows_data() {
  QTest::addColumn<QString>("title");
  QTest::addColumn<QSize>("size");
  QTest::addColumn<QString>("icon");
  QTest::addColumn<int>("labels");
  QTest::newRow("Startup") << "Orvelin File Encryption" << QSize(288, 238) << ":/orvelin.png" << 1;
  QTest::newRow("frmMain") << "Orvelin File Encryption" << QSize(443, 262) << ":/orvelin.png" << 12;
  QTest::newRow("Help") << "Help" << QSize(341, 252) << ":/help.png" << 7;
  QTest::newRow("About") << "About" << QSize(341, 252) << ":/info.png" << 20;
  QTest::newRow("softinf") << "Software Information" << QSize(301, 251) << ":/info.png" << 6;
}

void QtWindowLookTest::windows() {
  QFETCH(QString, title);
  QFETCH(QSize, size);
  QFETCH(QString, icon);
  QFETCH(int, labels);
  openTagged();

  QCOMPARE(widget().windowTitle(), title);
  QVERIFY(widget().windowFlags().testFlag(Qt::FramelessWindowHint));
  QCOMPARE(widget().size(), size);
  QCOMPARE(widget().minimumSize(), widget().maximumSize());
  QVERIFY(isCentredOnScreen(widget()));
  QVERIFY(hasIcon(widget(), icon));
  QCOMPARE(widget().findChildren<QLabel *>().size(), labels);
}

void QtWindowLookTest::outlinesAndLines_data() {
  QTest::addColumn<QPoint>("pixel");
  QTest::addColumn<QColor>("colour");
  const QColor black(Qt::black);
  const QColor white(Qt::white);
  // The main window's Shape1 covers pixels 8..432 across and 8..248 down, Line1 is row 40, Line2 row
  // 208, and Shape6 around Encrypt spans columns 152..224.
  const auto main = [](const char *what, QPoint pixel, const QColor &colour) {
    QTest::addRow("frmMain %s", what) << pixel << colour;
  };
  main("Shape1 top left", {8, 8}, black);
  main("Shape1 bottom right", {432, 248}, black);
  main("left of Shape1", {7, 8}, white);
  main("right of Shape1", {433, 200}, white);
  main("below Shape1", {200, 249}, white);
  main("inside Shape1", {9, 100}, white);
  main("Line1", {200, 40}, black);
  main("below Line1", {200, 41}, white);
  main("Line2", {300, 208}, black);
  main("Shape6 left", {152, 150}, black);
  main("Shape6 right", {224, 150}, black);
  main("inside Shape6", {155, 150}, white);
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

void QtWindowLookTest::outlinesAndLines() {
  QFETCH(QPoint, pixel);
  QFETCH(QColor, colour);
  openTagged();
  QCOMPARE(widget().grab().toImage().pixelColor(pixel), colour);
}

void QtWindowLookTest::splashDrawsThePictureAtItsOwnSize() {
  open(Window::Startup);
  // On a screen of twice the scale, the rendering of twice the size, not the small one scaled up.
  const int scale = widget().devicePixelRatioF() >= 2 ? 2 : 1;
  const QImage picture(scale == 2 ? QStringLiteral(":/splash@2x.jpg") : QStringLiteral(":/splash.jpg"));
  QCOMPARE(picture.size(), QSize(296, 240) * scale);
  const QImage shown = widget().grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Above the motto the window is the picture's top-left corner, pixel for pixel; a picture
  // scaled to the window would differ around the monogram and along the border ornament.
  const QRect aboveMotto(0, 0, 288 * scale, 192 * scale);
  QCOMPARE(shown.copy(aboveMotto), picture.copy(aboveMotto).convertToFormat(QImage::Format_RGB32));
  QCOMPARE(shown.pixelColor(287 * scale, 237 * scale), picture.pixelColor(287 * scale, 237 * scale));
}

void QtWindowLookTest::splashShowsTheMottoInWhite() {
  open(Window::Startup);
  const auto *motto = widget().findChild<QLabel *>(QStringLiteral("Label1"));
  QVERIFY(motto != nullptr);
  QCOMPARE(motto->text(), QStringLiteral("Art is long but life is short"));
  QCOMPARE(motto->geometry(), QRect(40, 192, 209, 25));
  QCOMPARE(motto->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  QCOMPARE(motto->font().family(), QStringLiteral("Times New Roman"));
  QCOMPARE(motto->font().pointSizeF(), 12.0);
  QCOMPARE(motto->font().weight(), QFont::Normal);
  QVERIFY(!motto->font().italic() && !motto->font().underline() && !motto->font().strikeOut());
  QCOMPARE(motto->palette().color(QPalette::WindowText), widget().palette().color(QPalette::HighlightedText));
  // The picture shows through: at the box's corner, clear of the text, the window is the picture.
  const QImage shown = widget().grab().toImage();
  QCOMPARE(shown.pixelColor(41, 193), QImage(QStringLiteral(":/splash.jpg")).pixelColor(41, 193));
}

void QtWindowLookTest::mainWindowOpensEmptyAndOnlyItsTextBoxesTakeFocus() {
  open(Window::frmMain);
  QVERIFY(QTest::qWaitForWindowActive(&widget()));
  auto *fileName = widget().findChild<QLineEdit *>(QStringLiteral("txtfilename"));
  auto *password = widget().findChild<QLineEdit *>(QStringLiteral("txtpassword"));
  QCOMPARE(fileName->text(), QString());
  QCOMPARE(password->text(), QString());
  QCOMPARE(password->echoMode(), QLineEdit::Normal);
  QCOMPARE(widget().findChild<QLabel *>(QStringLiteral("lblmessage"))->text(), QString());
  QCOMPARE(widget().cursor().shape(), Qt::ArrowCursor);
  QCOMPARE(QApplication::focusWidget(), fileName);

  QWidgetList focusable = widget().findChildren<QWidget *>();
  focusable.removeIf([](const QWidget *each) { return each->focusPolicy() == Qt::NoFocus; });
  QCOMPARE(focusable, QWidgetList({fileName, password}));
  QTest::keyClick(fileName, Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), password);
  QTest::keyClick(password, Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), fileName);
}

void QtWindowLookTest::aDarkSchemePaintsTheMainWindowInItsColours() {
  const QPalette standard = QApplication::palette();
  QPalette dark = standard;
  dark.setColor(QPalette::Button, Qt::black);
  dark.setColor(QPalette::ButtonText, Qt::yellow);
  dark.setColor(QPalette::Base, QColor(0, 0, 64));
  dark.setColor(QPalette::Text, Qt::cyan);
  QApplication::setPalette(dark);
  open(Window::frmMain);
  const QImage shown = widget().grab().toImage();
  QApplication::setPalette(standard);

  // The window's face and its outlines (Shape1's corner, the inside of it) in the scheme's pair.
  QCOMPARE(shown.pixelColor(8, 8), QColor(Qt::yellow));
  QCOMPARE(shown.pixelColor(9, 100), QColor(Qt::black));
  const auto *label = widget().findChild<QLabel *>(orvelin::qtString(orvelin::frmMainControls::fileNameLabel));
  QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::yellow));
  // Both boxes alike: the name box's fixed white and black give way to the scheme's.
  for (const std::string_view name : {orvelin::frmMainControls::fileName, orvelin::frmMainControls::password}) {
    const auto *box = widget().findChild<QLineEdit *>(orvelin::qtString(name));
    QCOMPARE(box->palette().color(QPalette::Base), QColor(0, 0, 64));
    QCOMPARE(box->palette().color(QPalette::Text), QColor(Qt::cyan));
  }
}

QTEST_MAIN(QtWindowLookTest)
#include "qt_window_look_test.moc"
