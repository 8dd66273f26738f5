#include "qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace orvelin {
namespace {

QMessageBox::Icon iconFor(MessageStyle style) {
  switch (style) {
  case MessageStyle::Critical:
    return QMessageBox::Critical;
  case MessageStyle::Information:
    return QMessageBox::Information;
  case MessageStyle::Plain:
    break;
  }
  return QMessageBox::NoIcon;
}

} // namespace

void QtMessageBoxes::show(const std::string &text, const std::string &title, MessageStyle style) {
  QMessageBox box(iconFor(style), QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  // Texts carry file names, which must never be read as markup.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

} // namespace orvelin
