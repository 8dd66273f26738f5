#include "window_fonts.h"

#include <QString>

namespace orvelin {
namespace {

QFont windowFont(const QString &family, qreal pointSize, QFont::Weight weight) {
  QFont font(family);
  font.setPointSizeF(pointSize);
  font.setWeight(weight);
  return font;
}

} // namespace

void registerFontSubstitutes() {
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans Narrow"));
  QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

QFont msSansSerif(qreal pointSize, QFont::Weight weight) {
  return windowFont(QStringLiteral("MS Sans Serif"), pointSize, weight);
}

QFont timesNewRoman(qreal pointSize, QFont::Weight weight) {
  return windowFont(QStringLiteral("Times New Roman"), pointSize, weight);
}

} // namespace orvelin
