#include "window_switcher.h"

#include "About.h"
#include "Help.h"
#include "Startup.h"
#include "app/frmMain.h"
#include "softinf.h"

#include <QApplication>

#include <utility>

namespace orvelin {

WindowSwitcher::WindowSwitcher() {
  // Between the two steps of a switch no window is shown, and that must not end the program:
  // when it ends is decided here alone.
  QApplication::setQuitOnLastWindowClosed(false);
}

WindowSwitcher::~WindowSwitcher() { delete current_; }

void WindowSwitcher::showSplash() {
  auto *splash = new Startup;
  connect(splash, &Startup::elapsed, this, [this] { requestSwitch(&WindowSwitcher::createMain); });
  show(splash);
}

void WindowSwitcher::requestSwitch(Creator create) {
  // The request comes from inside the leaving window's own event handling, where the window cannot
  // be destroyed yet; the switch runs once that has returned. Of two quick requests the first wins:
  // the second came from a window that is on its way out.
  if (requested_ != nullptr) {
    return;
  }
  requested_ = create;
  QMetaObject::invokeMethod(this, "switchAsRequested", Qt::QueuedConnection);
}

void WindowSwitcher::switchAsRequested() {
  const Creator create = std::exchange(requested_, nullptr);
  delete current_;
  show((this->*create)());
}

void WindowSwitcher::show(QWidget *window) {
  current_ = window;
  // Closed through the system, a window is gone as if it had been left.
  window->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &QObject::destroyed, this, &WindowSwitcher::endIfNoWindow, Qt::QueuedConnection);
  window->show();
  emit switched(window);
}

void WindowSwitcher::endIfNoWindow() {
  if (current_.isNull()) {
    QCoreApplication::quit();
  }
}

QWidget *WindowSwitcher::createMain() {
  auto *window = new frmMain;
  connect(window, &frmMain::aboutRequested, this,
          [this] { requestSwitch(&WindowSwitcher::createInformationWindow<About>); });
  connect(window, &frmMain::helpRequested, this,
          [this] { requestSwitch(&WindowSwitcher::createInformationWindow<Help>); });
  connect(window, &frmMain::securityKeyRequested, this,
          [this] { requestSwitch(&WindowSwitcher::createInformationWindow<softinf>); });
  return window;
}

template <typename Window> QWidget *WindowSwitcher::createInformationWindow() {
  auto *window = new Window;
  connect(window, &Window::exitRequested, this, [this] { requestSwitch(&WindowSwitcher::createMain); });
  return window;
}

} // namespace orvelin
