#pragma once
// The software information window: what the program is, who publishes it, and its identification.

#include "ui/window_design.h"

namespace orvelin {

extern const WindowDesign softinfDesign;

} // namespace orvelin
