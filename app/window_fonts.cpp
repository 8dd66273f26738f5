#include "window_fonts.h"

namespace orvelin {

void registerFontSubstitutes() {
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

QFont windowFont(const QString &family, qreal pointSize, QFont::Weight weight) {
  QFont font(family);
  font.setPointSizeF(pointSize);
  font.setWeight(weight);
  return font;
}

} // namespace orvelin
