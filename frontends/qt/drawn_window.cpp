#include "drawn_window.h"

#include "qt_conversions.h"
#include "system_colours.h"
#include "window_fonts.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPainter>
#include <QScreen>
#include <QStyle>

#include <utility>

namespace orvelin {
namespace {

QString resource(std::string_view name) { return QStringLiteral(":/") + qtString(name); }

// "splash@2x.jpg" for "splash.jpg".
QString largeResource(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return resource(name.substr(0, dot)) + QStringLiteral("@2x") + qtString(name.substr(dot));
}

} // namespace

DrawnWindow::DrawnWindow(const WindowDesign &design, std::function<void()> closed)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), closed_(std::move(closed)) {
  setObjectName(qtString(design.name));
  setWindowTitle(qtString(design.caption));
  setWindowIcon(QIcon(resource(design.icon)));
  const QSize clientSize = qtSize(design.clientSize);
  setFixedSize(clientSize);
  setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, clientSize, screen()->availableGeometry()));
  QPalette background = palette();
  const Contrast contrast = contrastOf(background);
  background.setColor(QPalette::Window, colourOf(background, windowColour(design, contrast)));
  linePen_ = QPen(colourOf(background, lineColour(contrast)), 1);
  setPalette(background);
  setAutoFillBackground(true);
  setFont(qtFont(defaultFont));
  if (!design.picture.empty()) {
    picture_.load(resource(design.picture));
    if (largePicture_.load(largeResource(design.picture))) {
      largePicture_.setDevicePixelRatio(2);
    }
  }
  for (const OutlineDesign &outline : design.outlines) {
    outlines_.push_back(qtRect(outline.box));
  }
  for (const LineDesign &line : design.lines) {
    lines_.push_back(qtLine(line.from, line.to));
  }
}

void DrawnWindow::paintEvent(QPaintEvent * /*event*/) {
  QPainter painter(this);
  if (!picture_.isNull()) {
    // At its own size, cut off where the window ends; sharp on a screen of twice the scale.
    const bool large = devicePixelRatioF() >= 2 && !largePicture_.isNull();
    painter.drawPixmap(0, 0, large ? largePicture_ : picture_);
  }
  painter.setPen(linePen_);
  painter.setBrush(Qt::NoBrush);
  for (const QRect &box : outlines_) {
    // A stroked rectangle is one pixel wider and higher than the box it is given.
    painter.drawRect(box.adjusted(0, 0, -1, -1));
  }
  for (const QLine &line : lines_) {
    painter.drawLine(line);
  }
}

void DrawnWindow::closeEvent(QCloseEvent *event) {
  event->accept();
  closed_();
}

} // namespace orvelin
