#include "frontends/qt/clickable_label.h"

#include <QSignalSpy>
#include <QTest>

using orvelin::ClickableLabel;

class ClickableLabelTest : public QObject {
  Q_OBJECT

private slots:
  void clicks_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");

    const QPoint inside(30, 10);
    const QPoint outside(130, 10);
    QTest::newRow("left, press and release inside") << Qt::LeftButton << inside << inside << 1;
    QTest::newRow("left, released at the last pixel") << Qt::LeftButton << inside << QPoint(99, 19) << 1;
    QTest::newRow("left, released outside") << Qt::LeftButton << inside << outside << 0;
    QTest::newRow("left, released just past the edge") << Qt::LeftButton << inside << QPoint(100, 10) << 0;
    QTest::newRow("right button") << Qt::RightButton << inside << inside << 0;
    QTest::newRow("middle button") << Qt::MiddleButton << inside << inside << 0;
  }

  void clicks() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, pressAt);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);
    ClickableLabel label;
    label.setText(QStringLiteral("Click"));
    label.setGeometry(0, 0, 100, 20);
    label.show();
    const QSignalSpy spy(&label, &ClickableLabel::clicked);

    QTest::mousePress(&label, button, {}, pressAt);
    QTest::mouseRelease(&label, button, {}, releaseAt);

    QCOMPARE(spy.count(), clicks);
  }

  void releaseWithoutPressIsNoClick() {
    ClickableLabel label;
    label.resize(100, 20);
    label.show();
    const QSignalSpy spy(&label, &ClickableLabel::clicked);

    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(spy.count(), 0);
    // One press makes one click, however many releases follow.
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(30, 10));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(30, 10));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(spy.count(), 1);
  }

  void takesNoFocus() {
    const ClickableLabel label;
    QCOMPARE(label.focusPolicy(), Qt::NoFocus);
  }
};

QTEST_MAIN(ClickableLabelTest)
#include "clickable_label_test.moc"
