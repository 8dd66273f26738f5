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
  QMetaObject::invokeMethod(&tasks_, std::move(task), Qt::QueuedConnection);
}

void QtWindowSystem::endProgram() { QCoreApplication::exit(0); }

} // namespace orvelin
