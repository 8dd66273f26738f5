#include "app/window_fonts.h"
#include "tests/windows/window_checks.h"
#include "windows/Startup.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using orvelin::Startup;
using orvelin::testing::hasIcon;
using orvelin::testing::isCentredOnScreen;

class StartupTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { orvelin::registerFontSubstitutes(); }
  void init();
  void cleanup() { splash_.reset(); }

  void opensFixedFramelessAndCentred();
  void drawsThePictureAtItsOwnSize();
  void showsTheMottoInWhite();
  void ticksOnceAfterFourSeconds();
  void clicksAndDragsDoNothing();

private:
  std::unique_ptr<Startup> splash_;
};

void StartupTest::init() {
  splash_ = std::make_unique<Startup>();
  splash_->show();
  QVERIFY(QTest::qWaitForWindowExposed(splash_.get()));
}

void StartupTest::opensFixedFramelessAndCentred() {
  QCOMPARE(splash_->windowTitle(), QStringLiteral("Orvelin File Encryption"));
  QVERIFY(splash_->windowFlags().testFlag(Qt::FramelessWindowHint));
  QCOMPARE(splash_->size(), QSize(288, 238));
  QCOMPARE(splash_->minimumSize(), splash_->maximumSize());
  QVERIFY(isCentredOnScreen(*splash_));
  QVERIFY(hasIcon(*splash_, QStringLiteral(":/orvelin.png")));
}

void StartupTest::drawsThePictureAtItsOwnSize() {
  const QImage picture(QStringLiteral(":/splash.jpg"));
  QCOMPARE(picture.size(), QSize(296, 240));
  const QImage shown = splash_->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Above the motto the window is the picture's top-left corner, pixel for pixel; a picture
  // scaled to the window would differ around the monogram and along the border ornament.
  const QRect aboveMotto(0, 0, 288, 192);
  QCOMPARE(shown.copy(aboveMotto), picture.copy(aboveMotto).convertToFormat(QImage::Format_RGB32));
  QCOMPARE(shown.pixelColor(287, 237), picture.pixelColor(287, 237));
}

void StartupTest::showsTheMottoInWhite() {
  const auto *motto = splash_->findChild<QLabel *>(QStringLiteral("Label1"));
  QVERIFY(motto != nullptr);
  QCOMPARE(motto->text(), QStringLiteral("Art is long but life is short"));
  QCOMPARE(motto->geometry(), QRect(40, 192, 209, 25));
  QCOMPARE(motto->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  QCOMPARE(motto->font().family(), QStringLiteral("Times New Roman"));
  QCOMPARE(motto->font().pointSizeF(), 12.0);
  QCOMPARE(motto->font().weight(), QFont::Normal);
  QVERIFY(!motto->font().italic() && !motto->font().underline() && !motto->font().strikeOut());
  QCOMPARE(motto->palette().color(QPalette::WindowText), splash_->palette().color(QPalette::HighlightedText));
  // The picture shows through: at the box's corner, clear of the text, the window is the picture.
  const QImage shown = splash_->grab().toImage();
  QCOMPARE(shown.pixelColor(41, 193), QImage(QStringLiteral(":/splash.jpg")).pixelColor(41, 193));
}

void StartupTest::ticksOnceAfterFourSeconds() {
  auto *timer = splash_->findChild<QTimer *>(QStringLiteral("Timer1"));
  if (timer == nullptr) {
    QFAIL("Timer1 is missing");
  }
  QVERIFY(timer->isActive());
  QCOMPARE(timer->interval(), 4000);
  QVERIFY(timer->isSingleShot());
  QCOMPARE(timer->timerType(), Qt::PreciseTimer);
  const QSignalSpy elapsed(splash_.get(), &Startup::elapsed);

  QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));

  QCOMPARE(elapsed.count(), 1);
}

void StartupTest::clicksAndDragsDoNothing() {
  const QSignalSpy elapsed(splash_.get(), &Startup::elapsed);
  const QPoint placed = splash_->pos();

  QTest::mouseClick(splash_.get(), Qt::LeftButton, {}, QPoint(20, 20));
  QTest::mouseClick(splash_->findChild<QLabel *>(QStringLiteral("Label1")), Qt::LeftButton);
  QTest::mousePress(splash_.get(), Qt::LeftButton, {}, QPoint(20, 20));
  QTest::mouseMove(splash_.get(), QPoint(120, 90));
  QTest::mouseRelease(splash_.get(), Qt::LeftButton, {}, QPoint(120, 90));

  QCOMPARE(splash_->pos(), placed);
  QVERIFY(splash_->isVisible());
  QCOMPARE(elapsed.count(), 0);
}

QTEST_MAIN(StartupTest)
#include "Startup_test.moc"
