#include "drawn_window.h"

#include "window_fonts.h"

#include <QPainter>
#include <QScreen>
#include <QStyle>

namespace orvelin {

DrawnWindow::DrawnWindow(const QString &title, QSize clientSize)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
  setWindowTitle(title);
  setFixedSize(clientSize);
  setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, clientSize, screen()->availableGeometry()));
  QPalette background = palette();
  background.setColor(QPalette::Window, background.color(QPalette::HighlightedText));
  setPalette(background);
  setAutoFillBackground(true);
  setFont(msSansSerif(8.25));
}

void DrawnWindow::addOutline(QRect box) { outlines_.push_back(box); }

void DrawnWindow::addLine(QLine line) { lines_.push_back(line); }

void DrawnWindow::paintEvent(QPaintEvent * /*event*/) {
  QPainter painter(this);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  for (const QRect &box : outlines_) {
    // A stroked rectangle is one pixel wider and higher than the box it is given.
    painter.drawRect(box.adjusted(0, 0, -1, -1));
  }
  for (const QLine &line : lines_) {
    painter.drawLine(line);
  }
}

} // namespace orvelin
