#include "fake_window.h"

#include <gtest/gtest.h>

namespace orvelin::testing {
namespace {

std::u16string utf16(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

} // namespace

FakeWindow::FakeWindow(const WindowDesign &design, Observer observer)
    : design_(design), observer_(std::move(observer)) {
  for (const ControlDesign &control : design.controls) {
    controls_.push_back({&control, utf16(control.text), control.visible});
  }
  if (!design.tabOrder.empty()) {
    focused_ = design.tabOrder.front();
  }
  if (observer_) {
    observer_(*this, "create");
  }
}

FakeWindow::~FakeWindow() {
  if (observer_) {
    observer_(*this, "destroy");
  }
}

const FakeWindow::Control &FakeWindow::find(std::string_view name) const {
  return controls_[controlIndex(design_, name)];
}

FakeWindow::Control &FakeWindow::find(std::string_view name) { return controls_[controlIndex(design_, name)]; }

std::u16string FakeWindow::text(std::string_view control) const { return find(control).text; }

void FakeWindow::setText(std::string_view control, std::u16string_view text) {
  ++requests_;
  find(control).text = text;
}

void FakeWindow::setVisible(std::string_view control, bool visible) {
  ++requests_;
  find(control).visible = visible;
}

void FakeWindow::setProgress(std::string_view control, double fraction) {
  ++requests_;
  Control &found = find(control);
  EXPECT_EQ(found.design->kind, ControlKind::ProgressBar) << control << " shows no progress";
  found.progress = fraction;
}

double FakeWindow::progress(std::string_view control) const { return find(control).progress; }

void FakeWindow::focus(std::string_view control) {
  ++requests_;
  EXPECT_EQ(find(control).design->kind, ControlKind::TextBox) << control << " cannot take the focus";
  focused_ = control;
}

void FakeWindow::setBusyPointer(bool busy) {
  ++requests_;
  busy_ = busy;
}

void FakeWindow::paintNow() {
  ++requests_;
  painted_.emplace();
  for (const Control &control : controls_) {
    painted_->push_back(control.text);
  }
}

void FakeWindow::minimise() {
  ++requests_;
  minimised_ = true;
}

void FakeWindow::show() {
  visibleWhenShown_ = visibleControls();
  if (observer_) {
    observer_(*this, "show");
  }
}

bool FakeWindow::isVisible(std::string_view control) const { return find(control).visible; }

std::vector<std::string> FakeWindow::visibleControls() const {
  std::vector<std::string> visible;
  for (const Control &control : controls_) {
    if (control.visible) {
      visible.emplace_back(control.design->name);
    }
  }
  return visible;
}

std::optional<std::u16string> FakeWindow::paintedText(std::string_view control) const {
  if (!painted_) {
    return std::nullopt;
  }
  return (*painted_)[controlIndex(design_, control)];
}

} // namespace orvelin::testing
