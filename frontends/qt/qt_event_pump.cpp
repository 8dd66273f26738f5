#include "qt_event_pump.h"

#include "qt_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace orvelin {

// Sees every event of the application while it exists, and drops the user's input to one window.
class QtEventPump::InputDrop final : public QObject {
public:
  explicit InputDrop(const QWidget &window) : window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
  }
  InputDrop(const InputDrop &) = delete;
  InputDrop &operator=(const InputDrop &) = delete;
  ~InputDrop() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
  bool eventFilter(QObject *target, QEvent *event) override {
    const auto *widget = qobject_cast<QWidget *>(target);
    if (widget == nullptr || widget->window() != &window_) {
      return false;
    }
    switch (event->type()) {
    case QEvent::Close:
      // Refused, not only passed over: the window would otherwise go away under the running job.
      event->ignore();
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
    }
  }

private:
  const QWidget &window_;
};

QtEventPump::QtEventPump(WindowView &window)
    : drop_(std::make_unique<InputDrop>(dynamic_cast<QtWindow &>(window).widget())) {}

QtEventPump::~QtEventPump() = default;

void QtEventPump::pumpFor(std::chrono::milliseconds period) {
  QEventLoop loop;
  QTimer end;
  end.setSingleShot(true);
  end.setTimerType(Qt::PreciseTimer);
  QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
  end.start(period);
  loop.exec();
}

} // namespace orvelin
