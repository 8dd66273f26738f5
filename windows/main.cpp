#include "app/qt_message_presenter.h"
#include "app/window_fonts.h"
#include "windows/window_switcher.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[]) {
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/orvelin.png")));
  orvelin::registerFontSubstitutes();
  orvelin::installQtMessagePresenter();

  orvelin::WindowSwitcher switcher;
  switcher.showSplash();
  return QApplication::exec();
}
