#include "Startup.h"

#include "app/label_look.h"
#include "app/twips.h"
#include "app/window_fonts.h"

#include <QIcon>
#include <QPainter>
#include <QTimer>

namespace orvelin {

Startup::Startup()
    : DrawnWindow(QStringLiteral("Orvelin File Encryption"), sizeFromTwips(4320, 3570)),
      picture_(QStringLiteral(":/splash.jpg")) {
  setWindowIcon(QIcon(QStringLiteral(":/orvelin.png")));
  addLabel<QLabel>(this, "Label1",
                   {.text = "Art is long but life is short",
                    .box = boxFromTwips(600, 2880, 3135, 375),
                    .alignment = centred,
                    .colour = TextColour::HighlightedText,
                    .font = timesNewRoman(12)});

  auto *Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(4000);
  // A coarse timer may fire up to a twentieth late; the splash stays its four seconds.
  Timer1->setTimerType(Qt::PreciseTimer);
  // One tick is all the splash ever handles: the first one leaves it.
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, &Startup::elapsed);
  Timer1->start();
}

void Startup::paintEvent(QPaintEvent * /*event*/) {
  // At its own size: the picture is a little larger than the window, which cuts off its right and
  // bottom edges.
  QPainter(this).drawPixmap(0, 0, picture_);
}

} // namespace orvelin
