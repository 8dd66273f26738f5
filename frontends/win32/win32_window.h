#pragma once

#include "base/windows_api.h"
#include "frontends/win32/control_accessibility.h"
#include "frontends/win32/control_windows.h"
#include "frontends/win32/gdi_objects.h"
#include "frontends/win32/taskbar_progress.h"
#include "frontends/win32/window_fonts.h"
#include "frontends/win32/window_pictures.h"
#include "ui/window_design.h"
#include "ui/window_system.h"
#include "ui/window_view.h"

#include <string_view>
#include <vector>

namespace orvelin::win32 {

// A window made from its design with the Win32 API: a top-level popup without frame or title bar,
// with a taskbar button that carries its caption and icon, centred on the primary monitor's work
// area and laid out at its monitor's DPI (again when that changes); labels, clickable labels and
// edit boxes as child windows; the outlines, lines and picture painted on it; the timer, from when
// it is shown. Each control tells assistive technology what the design says of it. Clicks, presses,
// ticks, files dropped on the window (or on a control of it) and a close through the system go to
// the events given.
class Win32Window final : public RenderedWindow {
public:
  Win32Window(const WindowDesign &design, WindowEvents &events);
  ~Win32Window() override;

  // The window as a whole: the one dialogs and message boxes are modal over.
  [[nodiscard]] HWND handle() const { return window_; }
  void show() override;
  void minimise() override;
  void paintNow() override;
  void setBusyPointer(bool busy) override;

  // Its controls, by their names in the design.
  [[nodiscard]] HWND controlHandle(std::string_view control) const { return this->control(control).handle; }
  [[nodiscard]] std::u16string text(std::string_view control) const override;
  void setText(std::string_view control, std::u16string_view text) override;
  void setVisible(std::string_view control, bool visible) override;
  void setProgress(std::string_view control, double fraction) override;
  void focus(std::string_view control) override;

private:
  struct Control {
    const ControlDesign *design;
    HWND handle;
    UniqueBrush fill; // a text box's own background, if the design gives it one
  };

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void paint();
  void drawLabel(const DRAWITEMSTRUCT &item);
  LRESULT colourTextBox(HDC dc, HWND box);
  void activated(WPARAM state);
  void dpiChanged(unsigned dpi, const RECT &suggested);
  void layOut();
  void redrawBeneath(HWND control);
  void clicked(HWND control);
  void tabbed(HWND control, bool backwards);
  [[nodiscard]] const Control &control(std::string_view name) const;
  [[nodiscard]] const Control *controlOf(HWND handle) const;
  [[nodiscard]] ControlAccessibility accessibilityOf(const ControlDesign &control) const;

  const WindowDesign &design_;
  WindowEvents &events_;
  WindowPicture picture_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  unsigned dpi_ = standardDpi;
  WindowFonts fonts_{standardDpi}; // those the controls have
  std::vector<Control> controls_;
  const ControlEvents controlEvents_{[this](HWND control) { clicked(control); },
                                     [this](HWND control, bool backwards) { tabbed(control, backwards); }};
  HWND window_ = nullptr;
  HWND focused_ = nullptr; // the control that has the focus while the window is active
  bool busy_ = false;
  // Follows the window's progress bar.
  TaskbarProgress taskbar_;
};

} // namespace orvelin::win32
