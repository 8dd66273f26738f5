#pragma once
// The credits, in three groups that share one place on the window; the user picks which one shows.

#include "ui/window_design.h"

namespace orvelin {

extern const WindowDesign AboutDesign;

} // namespace orvelin
