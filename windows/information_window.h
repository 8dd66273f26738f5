#pragma once
// What the Help, About and software information windows have in common: the drawn frame, their
// own icon, labels that wrap long texts at word boundaries, and the controls that leave the window
// or minimize it.

#include "app/drawn_window.h"
#include "app/label_look.h"

namespace orvelin {

class InformationWindow : public DrawnWindow {
  Q_OBJECT

public:
  InformationWindow(const QString &title, QSize clientSize, const QString &icon);

signals:
  // The user is done here; whoever showed the window leaves it.
  void exitRequested();

protected:
  template <typename Label = QLabel> Label *addText(const char *name, const LabelLook &look) {
    auto *label = addLabel<Label>(this, name, look);
    label->setWordWrap(true);
    return label;
  }
  void addExitLabel(const char *name, const LabelLook &look);
  void addMinimizeLabel(const char *name, const LabelLook &look);
};

} // namespace orvelin
