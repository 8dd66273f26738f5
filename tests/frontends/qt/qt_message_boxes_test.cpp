#include "frontends/qt/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using orvelin::MessageStyle;

namespace {

// What the box looked like while it was up.
struct ShownBox {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
  Qt::TextFormat format = Qt::AutoText;
  QMessageBox::StandardButtons buttons;
  QWidget *parent = nullptr;
};

} // namespace

class QtMessageBoxesTest : public QObject {
  Q_OBJECT

private slots:
  void showsAModalBoxWithOk_data() {
    QTest::addColumn<MessageStyle>("style");
    QTest::addColumn<QMessageBox::Icon>("icon");

    QTest::newRow("plain") << MessageStyle::Plain << QMessageBox::NoIcon;
    QTest::newRow("critical") << MessageStyle::Critical << QMessageBox::Critical;
    QTest::newRow("information") << MessageStyle::Information << QMessageBox::Information;
  }

  void showsAModalBoxWithOk() {
    QFETCH(MessageStyle, style);
    QFETCH(QMessageBox::Icon, icon);
    QWidget owner;
    owner.show();
    owner.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&owner));

    std::optional<ShownBox> shown;
    // Runs inside the box's own event loop, which is only there while the box is modal.
    QObject closer;
    QTimer::singleShot(0, &closer, [&shown] {
      auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
      if (box == nullptr) {
        return;
      }
      shown = ShownBox{box->icon(),       box->windowTitle(),     box->text(),
                       box->textFormat(), box->standardButtons(), box->parentWidget()};
      box->button(QMessageBox::Ok)->click();
    });
    orvelin::QtMessageBoxes().show("Cannot open \"<b>notes</b>.txt\"", "File Error", style);

    QVERIFY(shown.has_value());
    QCOMPARE(shown->icon, icon);
    QCOMPARE(shown->title, QStringLiteral("File Error"));
    QCOMPARE(shown->text, QStringLiteral("Cannot open \"<b>notes</b>.txt\""));
    QCOMPARE(shown->format, Qt::PlainText);
    QCOMPARE(shown->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(shown->parent, &owner);
  }
};

QTEST_MAIN(QtMessageBoxesTest)
#include "qt_message_boxes_test.moc"
