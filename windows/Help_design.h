#pragma once
// How to use the program, and a notice on its warranty.

#include "ui/window_design.h"

namespace orvelin {

extern const WindowDesign HelpDesign;

} // namespace orvelin
