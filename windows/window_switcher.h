#pragma once
// Which window the program shows. Windows replace one another: the one being left is destroyed
// first, then the next one is created afresh and shown, so outside a switch exactly one window
// exists. The program ends when no window is left once the running handler has returned.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace orvelin {

class WindowSwitcher : public QObject {
  Q_OBJECT

public:
  WindowSwitcher();
  WindowSwitcher(const WindowSwitcher &) = delete;
  WindowSwitcher &operator=(const WindowSwitcher &) = delete;
  ~WindowSwitcher() override;

  // The start of every run.
  void showSplash();

  [[nodiscard]] QWidget *current() const { return current_; }

signals:
  // A switch is complete: window is the one now shown.
  void switched(QWidget *window);

private:
  using Creator = QWidget *(WindowSwitcher::*)();

  void requestSwitch(Creator create);
  Q_INVOKABLE void switchAsRequested();
  void show(QWidget *window);
  void endIfNoWindow();

  QWidget *createMain();
  template <typename Window> QWidget *createInformationWindow();

  QPointer<QWidget> current_;
  Creator requested_ = nullptr; // the switch waiting to run, if any
};

} // namespace orvelin
