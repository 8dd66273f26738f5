#pragma once
// How the window designs describe a label: its text and box, and what differs from the default
// look (left-aligned, the button-text colour, the window's font, no tooltip, no background of its
// own, so that the window shows through).

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>

#include <optional>

namespace orvelin {

// The designs align centred texts horizontally only; every text starts at the top of its box.
inline constexpr Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;

enum class TextColour {
  ButtonText,      // the system's colour for text on controls
  Black,           // fixed, whatever the system's scheme
  HighlightedText, // the system's colour for selected text: white in the standard scheme
};

struct LabelLook {
  const char *text = "";
  QRect box{}; // in pixels
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
  TextColour colour = TextColour::ButtonText;
  std::optional<QFont> font{};
  const char *tooltip = nullptr;
  std::optional<QColor> background{}; // an opaque fill of the whole box
  // The box keeps its left and top, and takes the width and height of the text in its font, glyphs
  // that reach past their advance included.
  bool sizedToText = false;
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
