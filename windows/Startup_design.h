#pragma once
// The splash window with which every run begins: a picture, a motto, and the timer that ends it.

#include "ui/window_design.h"

namespace orvelin {

extern const WindowDesign StartupDesign;

} // namespace orvelin
