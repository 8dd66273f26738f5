#pragma once

#include "ui/window_design.h"

#include <QLine>
#include <QPen>
#include <QPixmap>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

namespace orvelin {

// A design's window without its controls: no system frame or title bar, a fixed client size,
// centred on the screen, on its background colour and picture, with the outlines and lines drawn
// in place of a frame. The caption shows only where the system lists windows.
class DrawnWindow : public QWidget {
  Q_OBJECT

public:
  // closed runs when the user closes the window through the system.
  DrawnWindow(const WindowDesign &design, std::function<void()> closed);

protected:
  void paintEvent(QPaintEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

private:
  QPixmap picture_;
  // The same picture drawn from its source at twice the size, for screens at twice the scale or more.
  QPixmap largePicture_;
  std::vector<QRect> outlines_; // in pixels, as are the lines
  std::vector<QLine> lines_;
  QPen linePen_; // black, or the scheme's text colour under high contrast
  std::function<void()> closed_;
};

} // namespace orvelin
