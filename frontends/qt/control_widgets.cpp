#include "control_widgets.h"

#include "clickable_label.h"
#include "qt_conversions.h"
#include "system_colours.h"
#include "window_fonts.h"

#include <QLineEdit>
#include <QProgressBar>

namespace orvelin {
namespace {

QLabel *createLabel(QWidget &window, const ControlDesign &control, std::function<void()> clicked) {
  QLabel *label = nullptr;
  if (control.kind == ControlKind::Label) {
    label = new QLabel(&window);
  } else {
    auto *clickable = new ClickableLabel(&window);
    QObject::connect(clickable, &ClickableLabel::clicked, clickable, std::move(clicked));
    label = clickable;
  }
  label->setText(qtString(control.text));
  label->setAlignment((control.alignment == Alignment::Centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
  QPalette palette = label->palette();
  const Contrast contrast = contrastOf(palette);
  palette.setColor(QPalette::WindowText, colourOf(palette, textColour(control, contrast)));
  if (const std::optional<Rgb> fill = fillOf(control, contrast)) {
    palette.setColor(QPalette::Window, colourOf(*fill));
    label->setAutoFillBackground(true);
  }
  label->setPalette(palette);
  return label;
}

QLineEdit *createTextBox(QWidget &window, const ControlDesign &control) {
  auto *box = new QLineEdit(&window);
  // What is dropped on a box goes to its window, which takes files only (file_drops.h).
  box->setAcceptDrops(false);
  QPalette palette = box->palette();
  const Contrast contrast = contrastOf(palette);
  palette.setColor(QPalette::Text, colourOf(palette, textColour(control, contrast)));
  if (const std::optional<Rgb> fill = fillOf(control, contrast)) {
    palette.setColor(QPalette::Base, colourOf(*fill));
  }
  box->setPalette(palette);
  return box;
}

// Filled in thousandths: smooth at any width the design gives it.
QProgressBar *createProgressBar(QWidget &window) {
  auto *bar = new QProgressBar(&window);
  bar->setRange(0, progressSteps);
  bar->setValue(0);
  bar->setTextVisible(false);
  return bar;
}

QWidget *createWidget(QWidget &window, const ControlDesign &control, std::function<void()> clicked) {
  switch (control.kind) {
  case ControlKind::TextBox:
    return createTextBox(window, control);
  case ControlKind::ProgressBar:
    return createProgressBar(window);
  case ControlKind::Label:
  case ControlKind::ClickableLabel:
  case ControlKind::ClickArea:
    break;
  }
  return createLabel(window, control, std::move(clicked));
}

} // namespace

QWidget *createControl(QWidget &window, const ControlDesign &control, std::function<void()> clicked) {
  QWidget *widget = createWidget(window, control, std::move(clicked));
  widget->setObjectName(qtString(control.name));
  widget->setGeometry(qtRect(control.box));
  widget->setFont(qtFont(control.font));
  if (auto *label = qobject_cast<QLabel *>(widget)) {
    if (control.sizedToText) {
      label->adjustSize();
    }
    // Sized first: a wrapping label's measure of its text depends on the width it would wrap at.
    label->setWordWrap(control.wordWrap);
  }
  if (!control.tooltip.empty()) {
    widget->setToolTip(qtString(control.tooltip));
  }
  if (!control.visible) {
    widget->hide();
  }
  return widget;
}

} // namespace orvelin
