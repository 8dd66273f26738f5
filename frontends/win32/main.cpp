// orvelin.exe [FILE...]: the splash, then the main window (on the first file, if any), each drawn from
// its design with the Win32 API.

#include "base/program_start.h"
#include "base/windows_api.h"
#include "frontends/win32/program_arguments.h"
#include "frontends/win32/win32_file_services.h"
#include "frontends/win32/win32_message_boxes.h"
#include "frontends/win32/win32_window_system.h"
#include "ui/window_switcher.h"
#include "windows/handed_files.h"
#include "windows/program_windows.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
  orvelin::startProgram();
  // COM, through which a screen reader is handed the controls' accessible objects. Left to the
  // system's clean-up when the process ends.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // The tooltip control's class.
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  orvelin::win32::Win32MessageBoxes boxes;
  orvelin::win32::Win32WindowSystem system;
  const std::u16string handedFile =
      orvelin::fileForThisRun(orvelin::win32::handedFiles(), orvelin::win32::startProgramFor, boxes);
  const orvelin::ProgramWindows windows(orvelin::win32::win32MainWindowServices(boxes), handedFile);
  orvelin::WindowSwitcher switcher(system, windows);
  switcher.start();
  return system.run();
}
