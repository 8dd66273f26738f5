// Every text of every window shows whole in its label's box, in the fonts the program puts in place
// of the designs' own.

#include "frontends/qt/qt_conversions.h"
#include "frontends/qt/window_fonts.h"
#include "open_window.h"

#include <QLabel>
#include <QTest>

namespace {

// What a label's text needs: its width, and the height from the box's top down to the lowest pixel
// its glyphs reach. The font's descent below the last baseline counts only as far as the text's
// deepest glyph goes into it: a box the design made a pixel shorter than its font's line, for a word
// without descenders ("Gratitude"), shows it whole.
QSizeF textSize(const QLabel &label, qreal boxWidth) {
  const QFontMetricsF metrics(label.font(), &label);
  const qreal inkDepth = qMax(0.0, metrics.tightBoundingRect(label.text()).bottom());
  if (!label.wordWrap()) {
    return {metrics.horizontalAdvance(label.text()), metrics.ascent() + inkDepth};
  }
  // Lines break at word boundaries only: a word wider than the box widens the text.
  const QRectF wrapped = metrics.boundingRect(QRectF(0, 0, boxWidth, QWIDGETSIZE_MAX), Qt::TextWordWrap, label.text());
  return {wrapped.width(), wrapped.height() - metrics.descent() + inkDepth};
}

QString describe(const QLabel &label, QSizeF text, QSize box) {
  return QStringLiteral("%1 \"%2\": text %3x%4, box %5x%6")
      .arg(label.objectName(), label.text(), QString::number(text.width(), 'f', 1),
           QString::number(text.height(), 'f', 1))
      .arg(box.width())
      .arg(box.height());
}

} // namespace

class TextsFitTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { orvelin::registerFontSubstitutes(); }

  void everyTextFitsItsBox_data();
  void everyTextFitsItsBox();
};

void TextsFitTest::everyTextFitsItsBox_data() {
  QTest::addColumn<QStringList>("sizedToText"); // labels whose box is exactly their text's size
  // Every label, shown or not, as About's groups are.
  for (const orvelin::Window window : orvelin::allWindows) {
    const orvelin::WindowDesign &design = orvelin::designOf(window);
    QStringList sizedToText;
    for (const orvelin::ControlDesign &control : design.controls) {
      if (control.sizedToText) {
        sizedToText.append(orvelin::qtString(control.name));
      }
    }
    QTest::newRow(orvelin::qtString(design.name).toLatin1().constData()) << sizedToText;
  }
}

void TextsFitTest::everyTextFitsItsBox() {
  QFETCH(QStringList, sizedToText);
  const orvelin::testing::OpenWindow opened(
      orvelin::testing::windowNamed(QString::fromLatin1(QTest::currentDataTag())));
  const QWidget *window = &opened.widget();
  QStringList misfits;
  QStringList measured;
  QStringList notSizedToText;

  for (const QLabel *label : window->findChildren<QLabel *>()) {
    if (label->text().isEmpty()) {
      continue;
    }
    const QSize box = label->contentsRect().size();
    const QSizeF text = textSize(*label, box.width());
    if (text.width() > box.width() || text.height() > box.height()) {
      misfits.append(describe(*label, text, box));
    }
    if (sizedToText.contains(label->objectName())) {
      measured.append(label->objectName());
      // The label's own measure of its text.
      if (label->size() != label->sizeHint()) {
        notSizedToText.append(describe(*label, label->sizeHint(), label->size()));
      }
    }
  }

  QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(QStringLiteral("; "))));
  QVERIFY2(notSizedToText.isEmpty(), qPrintable(notSizedToText.join(QStringLiteral("; "))));
  QCOMPARE(measured, sizedToText);
}

QTEST_MAIN(TextsFitTest)
#include "texts_fit_test.moc"
