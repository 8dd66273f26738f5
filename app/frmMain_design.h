#pragma once
// The main window: a file name and a password, the buttons that run a job on them, a status line,
// and the links to the information windows.

#include "ui/window_design.h"

namespace orvelin {

extern const WindowDesign frmMainDesign;

} // namespace orvelin
