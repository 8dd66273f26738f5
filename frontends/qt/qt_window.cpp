#include "qt_window.h"

#include "accessible_controls.h"
#include "control_widgets.h"
#include "drawn_window.h"
#include "file_drops.h"
#include "qt_conversions.h"
#include "ui/accessibility.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

namespace orvelin {

QtWindow::QtWindow(const WindowDesign &design, WindowEvents &events)
    : design_(design), window_(std::make_unique<DrawnWindow>(design, [&events] { events.closed(); })) {
  controls_.reserve(design.controls.size());
  for (const ControlDesign &each : design.controls) {
    controls_.push_back(createControl(*window_, each, [&events, name = each.name] { events.clicked(name); }));
  }
  describeForAssistiveTechnology(design, *window_, controls_);
  new FileDrops(*window_, [&events](const std::vector<std::u16string> &files) { events.filesDropped(files); });
  for (std::size_t next = 1; next < design.tabOrder.size(); ++next) {
    QWidget::setTabOrder(&control(design.tabOrder[next - 1]), &control(design.tabOrder[next]));
  }
  if (!design.tabOrder.empty()) {
    control(design.tabOrder.front()).setFocus();
  }
  if (design.timer) {
    timer_ = new QTimer(window_.get());
    timer_->setObjectName(qtString(design.timer->name));
    timer_->setInterval(design.timer->intervalMilliseconds);
    // A coarse timer may fire up to a twentieth late.
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, timer_, [&events, name = design.timer->name] { events.ticked(name); });
  }
}

QtWindow::~QtWindow() = default;

std::u16string QtWindow::text(std::string_view control) const {
  QWidget &widget = this->control(control);
  if (const auto *box = qobject_cast<QLineEdit *>(&widget)) {
    return box->text().toStdU16String();
  }
  return qobject_cast<QLabel *>(&widget)->text().toStdU16String();
}

void QtWindow::setText(std::string_view control, std::u16string_view text) {
  QWidget &widget = this->control(control);
  if (auto *box = qobject_cast<QLineEdit *>(&widget)) {
    box->setText(qtString(text));
  } else if (accessibleOf(design_, design_.controls[controlIndex(design_, control)]).announced) {
    setAnnouncedText(*qobject_cast<QLabel *>(&widget), qtString(text));
  } else {
    qobject_cast<QLabel *>(&widget)->setText(qtString(text));
  }
}

void QtWindow::setVisible(std::string_view control, bool visible) { this->control(control).setVisible(visible); }

void QtWindow::setProgress(std::string_view control, double fraction) {
  qobject_cast<QProgressBar *>(&this->control(control))->setValue(static_cast<int>(fraction * progressSteps));
}

void QtWindow::focus(std::string_view control) { this->control(control).setFocus(); }

void QtWindow::setBusyPointer(bool busy) {
  if (busy) {
    window_->setCursor(Qt::WaitCursor);
  } else {
    window_->unsetCursor();
  }
}

void QtWindow::paintNow() { window_->repaint(); }

void QtWindow::minimise() { window_->showMinimized(); }

void QtWindow::show() {
  window_->show();
  if (timer_ != nullptr) {
    timer_->start();
  }
}

QWidget &QtWindow::widget() const { return *window_; }

QWidget &QtWindow::control(std::string_view name) const { return *controls_[controlIndex(design_, name)]; }

} // namespace orvelin
