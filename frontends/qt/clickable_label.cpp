#include "clickable_label.h"

#include <QMouseEvent>

namespace orvelin {

ClickableLabel::ClickableLabel(QWidget *parent) : QLabel(parent) { setFocusPolicy(Qt::NoFocus); }

void ClickableLabel::mousePressEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
  }
  event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event) {
  event->accept();
  if (event->button() != Qt::LeftButton || !pressed_) {
    return;
  }
  pressed_ = false;
  // Releasing outside is how the user takes a press back.
  if (rect().contains(event->position().toPoint())) {
    emit clicked();
  }
}

} // namespace orvelin
