#pragma once

#include "app/main_window_services.h"

namespace orvelin::win32 {

// The main window's services on Windows: the file jobs and the look-up on the typed name as a wide
// path, and the file-open dialog, modal over the main window.
// The boxes go to messages, which outlives the services.
MainWindowServices win32MainWindowServices(MessageSink &messages);

} // namespace orvelin::win32
