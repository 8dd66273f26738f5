#include "label_look.h"

namespace orvelin {
namespace {

QColor textColour(const QPalette &palette, TextColour colour) {
  switch (colour) {
  case TextColour::Black:
    return Qt::black;
  case TextColour::HighlightedText:
    return palette.color(QPalette::HighlightedText);
  case TextColour::ButtonText:
    break;
  }
  return palette.color(QPalette::ButtonText);
}

} // namespace

void applyLook(QLabel &label, const char *name, const LabelLook &look) {
  label.setObjectName(QString::fromLatin1(name));
  label.setText(QString::fromLatin1(look.text));
  label.setGeometry(look.box);
  label.setAlignment(look.alignment);
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, textColour(palette, look.colour));
  if (look.background) {
    palette.setColor(QPalette::Window, *look.background);
    label.setAutoFillBackground(true);
  }
  label.setPalette(palette);
  if (look.font) {
    label.setFont(*look.font);
  }
  if (look.sizedToText) {
    label.adjustSize();
  }
  if (look.tooltip != nullptr) {
    label.setToolTip(QString::fromLatin1(look.tooltip));
  }
}

} // namespace orvelin
