#pragma once
// Checks that every window of the program has to pass, whatever its content.

#include <QIcon>
#include <QImage>
#include <QScreen>
#include <QWidget>

namespace orvelin::testing {

// As far as whole pixels allow: an odd leftover pixel goes to one side.
inline bool isCentredOnScreen(const QWidget &window) {
  const QRect screen = window.screen()->availableGeometry();
  const QRect frame = window.frameGeometry();
  return qAbs((frame.left() - screen.left()) - (screen.right() - frame.right())) <= 1 &&
         qAbs((frame.top() - screen.top()) - (screen.bottom() - frame.bottom())) <= 1;
}

// The icon is the picture at path, at the 64 by 64 pixels it was drawn for.
inline bool hasIcon(const QWidget &window, const QString &path) {
  const auto premultiplied = [](const QImage &image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  };
  return premultiplied(window.windowIcon().pixmap(64).toImage()) == premultiplied(QImage(path));
}

} // namespace orvelin::testing
