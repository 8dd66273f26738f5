#pragma once

#include <QLabel>
#include <QPointer>

namespace orvelin {

// A label that the user clicks like a button: with the left mouse button only, pressed and released
// inside it. It takes no keyboard focus and has no access key. Assistive technology sees a button
// that it may press (accessible_clickable_label.h).
class ClickableLabel : public QLabel {
  Q_OBJECT

public:
  explicit ClickableLabel(QWidget *parent = nullptr);

  // What a click does, for a press that comes other than by the mouse.
  void press() { emit clicked(); }

  // For a group's selector: the control that shows while this one is the selected selector. A
  // change of whether it shows changes this one's checked state for assistive technology.
  void setSelects(QWidget &shown);
  [[nodiscard]] bool selector() const { return !selects_.isNull(); }
  [[nodiscard]] bool selected() const { return selector() && !selects_->isHidden(); }

signals:
  void clicked();

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  bool pressed_ = false;
  QPointer<QWidget> selects_;
  bool toldSelected_ = false; // what assistive technology was last told
};

} // namespace orvelin
