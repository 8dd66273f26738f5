#include "base/program_start.h"
#include "program_arguments.h"
#include "qt_file_services.h"
#include "qt_message_boxes.h"
#include "qt_window_system.h"
#include "ui/window_switcher.h"
#include "window_fonts.h"
#include "windows/handed_files.h"
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
  const std::u16string handedFile =
      orvelin::fileForThisRun(orvelin::handedFiles(QApplication::arguments()), orvelin::startProgramFor, boxes);
  const orvelin::ProgramWindows windows(orvelin::qtMainWindowServices(boxes), handedFile);
  orvelin::WindowSwitcher switcher(system, windows);
  switcher.start();
  return QApplication::exec();
}
