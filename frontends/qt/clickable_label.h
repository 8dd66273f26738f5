#pragma once

#include <QLabel>

namespace orvelin {

// A label that the user clicks like a button: with the left mouse button only, pressed and released
// inside it. It takes no keyboard focus and has no access key.
class ClickableLabel : public QLabel {
  Q_OBJECT

public:
  explicit ClickableLabel(QWidget *parent = nullptr);

signals:
  void clicked();

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  bool pressed_ = false;
};

} // namespace orvelin
