#pragma once

#include "ui/window_system.h"

#include <QObject>

#include <deque>

namespace orvelin {

// The program's windows as Qt windows, switched inside Qt's event loop.
class QtWindowSystem final : public QObject, public WindowSystem {
  Q_OBJECT

public:
  QtWindowSystem();

  [[nodiscard]] std::unique_ptr<RenderedWindow> create(const WindowDesign &design, WindowEvents &events) override;
  void runAfterHandler(std::function<void()> task) override;
  void endProgram() override;

private:
  Q_INVOKABLE void runNextTask();

  // Tasks not yet run when the system goes are dropped with it.
  std::deque<std::function<void()>> tasks_;
};

} // namespace orvelin
