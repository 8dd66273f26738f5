#pragma once
// How the window designs describe a label: its text and box, and what differs from the default
// look (left-aligned, the button-text colour, the window's font, no tooltip). Labels never fill
// their background, so the window shows through.

#include <QFont>
#include <QLabel>
#include <QRect>

#include <optional>

namespace orvelin {

struct LabelLook {
  const char *text = "";
  QRect box{}; // in pixels
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
  bool blackText = false;
  std::optional<QFont> font{};
  const char *tooltip = nullptr;
};

// Gives the label its object name and look, and places it.
void applyLook(QLabel &label, const char *name, const LabelLook &look);

// A new label of the given kind on window, with its name and look.
template <typename Label> Label *addLabel(QWidget *window, const char *name, const LabelLook &look) {
  auto *label = new Label(window);
  applyLook(*label, name, look);
  return label;
}

} // namespace orvelin
