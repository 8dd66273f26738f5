#include "fake_window.h"

#include <gtest/gtest.h>

#include <algorithm>

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

const FakeWindow::Control *FakeWindow::find(std::string_view name) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [name](const Control &each) { return each.design->name == name; });
  if (found == controls_.end()) {
    ADD_FAILURE() << design_.name << " has no control " << name;
    return nullptr;
  }
  return &*found;
}

FakeWindow::Control *FakeWindow::find(std::string_view name) {
  return const_cast<Control *>(std::as_const(*this).find(name));
}

std::u16string FakeWindow::text(std::string_view control) const {
  const Control *found = find(control);
  return found != nullptr ? found->text : std::u16string();
}

void FakeWindow::setText(std::string_view control, std::u16string_view text) {
  ++requests_;
  if (Control *found = find(control)) {
    found->text = text;
  }
}

void FakeWindow::setVisible(std::string_view control, bool visible) {
  ++requests_;
  if (Control *found = find(control)) {
    found->visible = visible;
  }
}

void FakeWindow::setProgress(std::string_view control, double fraction) {
  ++requests_;
  if (Control *found = find(control)) {
    EXPECT_EQ(found->design->kind, ControlKind::ProgressBar) << control << " shows no progress";
    found->progress = fraction;
  }
}

double FakeWindow::progress(std::string_view control) const {
  const Control *found = find(control);
  return found != nullptr ? found->progress : 0;
}

void FakeWindow::focus(std::string_view control) {
  ++requests_;
  if (const Control *found = find(control)) {
    EXPECT_EQ(found->design->kind, ControlKind::TextBox) << control << " cannot take the focus";
    focused_ = control;
  }
}

void FakeWindow::setBusyPointer(bool busy) {
  ++requests_;
  busy_ = busy;
}

void FakeWindow::paintNow() {
  ++requests_;
  painted_.emplace();
  for (const Control &control : controls_) {
    painted_->emplace(control.design->name, control.text);
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

bool FakeWindow::isVisible(std::string_view control) const {
  const Control *found = find(control);
  return found != nullptr && found->visible;
}

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
  const auto found = painted_->find(control);
  return found != painted_->end() ? std::optional(found->second) : std::nullopt;
}

} // namespace orvelin::testing
