#include "label_look.h"

namespace orvelin {

void applyLook(QLabel &label, const char *name, const LabelLook &look) {
  label.setObjectName(QString::fromLatin1(name));
  label.setText(QString::fromLatin1(look.text));
  label.setGeometry(look.box);
  label.setAlignment(look.alignment);
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, look.blackText ? QColor(Qt::black) : palette.color(QPalette::ButtonText));
  label.setPalette(palette);
  if (look.font) {
    label.setFont(*look.font);
  }
  if (look.tooltip != nullptr) {
    label.setToolTip(QString::fromLatin1(look.tooltip));
  }
}

} // namespace orvelin
