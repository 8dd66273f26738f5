#include "qt_file_services.h"
#include "qt_message_presenter.h"
#include "qt_window_system.h"
#include "window_fonts.h"
#include "windows/window_switcher.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[]) {
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/orvelin.png")));
  orvelin::registerFontSubstitutes();
  orvelin::installQtMessagePresenter();

  orvelin::QtWindowSystem system;
  orvelin::WindowSwitcher switcher(system, orvelin::qtMainWindowServices());
  switcher.start();
  return QApplication::exec();
}
