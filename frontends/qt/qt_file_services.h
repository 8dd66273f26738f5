#pragma once

#include "app/main_window_services.h"
#include "file_open_dialog.h"

namespace orvelin {

// The main window's services on Linux: the file jobs, the look-up that passes over hidden files as a
// folder search does, and the file dialog, modal over the main window.
// The boxes go to messages, which outlives the services.
MainWindowServices qtMainWindowServices(MessageSink &messages, FileChooser chooseFile = chooseFileToOpen);

} // namespace orvelin
