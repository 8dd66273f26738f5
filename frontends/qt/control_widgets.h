#pragma once

#include "ui/window_design.h"

#include <functional>

class QWidget;

namespace orvelin {

// A progress bar's range: its value is the fraction done in these steps.
inline constexpr int progressSteps = 1000;

// The widget for a control of a design, on window, named and placed as the design says; a click on
// a clickable one calls clicked.
QWidget *createControl(QWidget &window, const ControlDesign &control, std::function<void()> clicked);

} // namespace orvelin
