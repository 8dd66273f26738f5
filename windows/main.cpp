#include "app/frmMain.h"
#include "app/qt_message_presenter.h"
#include "app/window_fonts.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[]) {
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/orvelin.png")));
  orvelin::registerFontSubstitutes();
  orvelin::installQtMessagePresenter();

  orvelin::frmMain window;
  window.show();
  return QApplication::exec();
}
