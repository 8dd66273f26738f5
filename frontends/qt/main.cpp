#include "base/program_start.h"
#include "qt_file_services.h"
#include "qt_message_boxes.h"
#include "qt_window_system.h"
#include "ui/window_switcher.h"
#include "window_fonts.h"
#include "windows/program_windows.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[]) {
  orvelin::startProgram(argv, "orvelin");
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/orvelin.png")));
  orvelin::registerFontSubstitutes();

  orvelin::QtMessageBoxes boxes;
  orvelin::QtWindowSystem system;
  const orvelin::ProgramWindows windows(orvelin::qtMainWindowServices(boxes));
  orvelin::WindowSwitcher switcher(system, windows);
  switcher.start();
  return QApplication::exec();
}
