#pragma once

#include <QLine>
#include <QRect>
#include <QWidget>

#include <vector>

namespace orvelin {

// The common frame of the program's windows: no system frame or title bar, a fixed client size,
// centred on the screen, on the highlight-text colour (white), with thin black rectangle outlines
// and lines drawn in place of a frame. The title shows only where the system lists windows.
class DrawnWindow : public QWidget {
  Q_OBJECT

public:
  DrawnWindow(const QString &title, QSize clientSize);

protected:
  // Both in pixels. An outline covers exactly the pixels of its box's edge.
  void addOutline(QRect box);
  void addLine(QLine line);

  void paintEvent(QPaintEvent *event) override;

private:
  std::vector<QRect> outlines_;
  std::vector<QLine> lines_;
};

} // namespace orvelin
