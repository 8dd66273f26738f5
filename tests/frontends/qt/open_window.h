#pragma once
// A window of the program made by the Qt front end from its design, with what it reports recorded
// instead of handled.

#include "frontends/qt/qt_conversions.h"
#include "frontends/qt/qt_window.h"
#include "ui/window_list.h"
#include "windows/program_windows.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace orvelin::testing {

class RecordedEvents final : public WindowEvents {
public:
  void clicked(std::string_view control) override { list.append(QStringLiteral("click ") + qtString(control)); }
  void ticked(std::string_view timer) override { list.append(QStringLiteral("tick ") + qtString(timer)); }
  void filesDropped(const std::vector<std::u16string> &files) override {
    for (const std::u16string &file : files) {
      list.append(QStringLiteral("drop ") + qtString(file));
    }
  }
  void closed() override { list.append(QStringLiteral("closed")); }

  QStringList list;
};

// The window whose design has this name.
inline Window windowNamed(const QString &name) {
  for (const Window window : allWindows) {
    if (name.toStdString() == designOf(window).name) {
      return window;
    }
  }
  throw std::invalid_argument("no window is named " + name.toStdString());
}

struct OpenWindow {
  explicit OpenWindow(Window window) : rendered(designOf(window), events) {}

  [[nodiscard]] QWidget &widget() const { return rendered.widget(); }

  RecordedEvents events;
  QtWindow rendered;
};

} // namespace orvelin::testing
