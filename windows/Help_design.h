#pragma once
// How to use the program, and a notice on its warranty.

#include "app/window_design.h"

namespace orvelin {

extern const WindowDesign HelpDesign;

} // namespace orvelin
