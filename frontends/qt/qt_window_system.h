#pragma once

#include "windows/window_system.h"

#include <QObject>

namespace orvelin {

// The program's windows as Qt windows, switched inside Qt's event loop.
class QtWindowSystem final : public WindowSystem {
public:
  QtWindowSystem();

  [[nodiscard]] std::unique_ptr<RenderedWindow> create(const WindowDesign &design, WindowEvents &events) override;
  void runAfterHandler(std::function<void()> task) override;
  void endProgram() override;

private:
  // Tasks not yet run when the system goes are dropped with it.
  QObject tasks_;
};

} // namespace orvelin
