#pragma once
// The splash window with which every run begins. It shows its picture for a while and then says
// so; it has no controls the user can act on.

#include "app/drawn_window.h"

#include <QPixmap>

namespace orvelin {

class Startup : public DrawnWindow {
  Q_OBJECT

public:
  Startup();

signals:
  // Timer1's one tick: the splash has been shown long enough.
  void elapsed();

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QPixmap picture_;
};

} // namespace orvelin
