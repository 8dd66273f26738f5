#include "accessible_controls.h"

#include "clickable_label.h"
#include "qt_conversions.h"
#include "ui/accessibility.h"

#include <QAccessible>
#include <QLabel>
#include <QWidget>

namespace orvelin {

void describeForAssistiveTechnology(const WindowDesign &design, QWidget &window, std::span<QWidget *const> controls) {
  window.setAccessibleName(qtString(design.caption));
  const auto widgetOf = [&](std::string_view name) { return controls[controlIndex(design, name)]; };
  for (std::size_t index = 0; index < design.controls.size(); ++index) {
    const AccessibleControl accessible = accessibleOf(design, design.controls[index]);
    QWidget &widget = *controls[index];
    // A name set once would not follow the text: a label that says it keeps its text as its name.
    if (accessible.name != design.controls[index].text) {
      widget.setAccessibleName(qtString(accessible.name));
    }
    widget.setAccessibleDescription(qtString(accessible.description));
    if (!accessible.labelledBy.empty()) {
      qobject_cast<QLabel *>(widgetOf(accessible.labelledBy))->setBuddy(&widget);
    }
    if (!accessible.selects.empty()) {
      qobject_cast<ClickableLabel *>(&widget)->setSelects(*widgetOf(accessible.selects));
    }
  }
}

void setAnnouncedText(QLabel &label, const QString &text) {
  if (label.text() != text) {
    // Which tells of the change itself.
    label.setText(text);
    return;
  }
  QAccessibleEvent again(&label, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&again);
}

} // namespace orvelin
