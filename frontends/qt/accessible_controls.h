#pragma once

#include "ui/window_design.h"

#include <span>

class QLabel;
class QString;
class QWidget;

namespace orvelin {

// Tells assistive technology what ui/accessibility.h derives from design: the window's name, and
// each control's name where its text does not say it, its description, the label that names a text
// box, and the group a selector shows. controls are the window's children in the design's order.
void describeForAssistiveTechnology(const WindowDesign &design, QWidget &window, std::span<QWidget *const> controls);

// Sets the text of an announced label: each text set is news to assistive technology, the same
// text as before too.
void setAnnouncedText(QLabel &label, const QString &text);

} // namespace orvelin
