#include "clickable_label.h"

#include "accessible_clickable_label.h"

#include <QAccessible>
#include <QMouseEvent>

namespace orvelin {

ClickableLabel::ClickableLabel(QWidget *parent) : QLabel(parent) {
  installAccessibleClickableLabels();
  setFocusPolicy(Qt::NoFocus);
}

void ClickableLabel::setSelects(QWidget &shown) {
  if (selects_ != nullptr) {
    selects_->removeEventFilter(this);
  }
  selects_ = &shown;
  toldSelected_ = selected();
  shown.installEventFilter(this);
}

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

bool ClickableLabel::eventFilter(QObject *watched, QEvent *event) {
  const bool shownOrHidden = event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent;
  // Showing what already shows is no change.
  if (watched == selects_ && shownOrHidden && selected() != toldSelected_) {
    toldSelected_ = selected();
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent change(this, changed);
    QAccessible::updateAccessibility(&change);
  }
  return false;
}

} // namespace orvelin
