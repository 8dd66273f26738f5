#include "qt_window_system.h"

#include "qt_window.h"

#include <QApplication>

namespace orvelin {

QtWindowSystem::QtWindowSystem() {
  // Between the two steps of a switch no window is shown, and that must not end the program: when
  // it ends is decided by the window switcher alone.
  QApplication::setQuitOnLastWindowClosed(false);
}

std::unique_ptr<RenderedWindow> QtWindowSystem::create(const WindowDesign &design, WindowEvents &events) {
  return std::make_unique<QtWindow>(design, events);
}

void QtWindowSystem::runAfterHandler(std::function<void()> task) {
  tasks_.push_back(std::move(task));
  // One queued call for each task: the loop takes them in turn, as it takes any other event.
  QMetaObject::invokeMethod(this, "runNextTask", Qt::QueuedConnection);
}

void QtWindowSystem::runNextTask() {
  const std::function<void()> task = std::move(tasks_.front());
  tasks_.pop_front();
  task();
}

void QtWindowSystem::endProgram() { QCoreApplication::exit(0); }

} // namespace orvelin
