#include "qt_event_pump.h"

#include "qt_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace orvelin {
namespace {

// Sees every event of the application while it exists, and drops the user's input to one window.
class InputDrop final : public QObject {
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
      return true;
    default:
      return false;
    }
  }

private:
  const QWidget &window_;
};

} // namespace

void QtEventPump::pumpFor(WindowView &window, std::chrono::milliseconds period) {
  const InputDrop drop(dynamic_cast<QtWindow &>(window).widget());
  QEventLoop loop;
  QTimer end;
  end.setSingleShot(true);
  end.setTimerType(Qt::PreciseTimer);
  QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
  end.start(period);
  loop.exec();
}

} // namespace orvelin
