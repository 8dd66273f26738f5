#include "window_fonts.h"

#include "qt_conversions.h"

namespace orvelin {

void registerFontSubstitutes() {
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans Narrow"));
  QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

QFont qtFont(const Font &font) {
  QFont qt(qtString(font.family));
  qt.setPointSizeF(font.points);
  // The designs' weights are the ones Qt counts in: 400 regular, 700 bold.
  qt.setWeight(static_cast<QFont::Weight>(font.weight));
  return qt;
}

} // namespace orvelin
