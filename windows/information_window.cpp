#include "information_window.h"

#include "app/clickable_label.h"

#include <QIcon>

namespace orvelin {

InformationWindow::InformationWindow(const QString &title, QSize clientSize, const QString &icon)
    : DrawnWindow(title, clientSize) {
  setWindowIcon(QIcon(icon));
}

void InformationWindow::addExitLabel(const char *name, const LabelLook &look) {
  connect(addText<ClickableLabel>(name, look), &ClickableLabel::clicked, this, &InformationWindow::exitRequested);
}

void InformationWindow::addMinimizeLabel(const char *name, const LabelLook &look) {
  connect(addText<ClickableLabel>(name, look), &ClickableLabel::clicked, this, &QWidget::showMinimized);
}

} // namespace orvelin
