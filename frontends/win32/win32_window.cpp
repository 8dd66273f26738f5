#include "frontends/win32/win32_window.h"

#include "frontends/win32/control_layout.h"
#include "frontends/win32/dropped_files.h"
#include "frontends/win32/label_drawing.h"
#include "frontends/win32/popup_placement.h"
#include "frontends/win32/system_colours.h"
#include "frontends/win32/tooltips.h"
#include "frontends/win32/utf16.h"
#include "frontends/win32/window_class.h"
#include "frontends/win32/window_dpi.h"
#include "frontends/win32/window_face.h"
#include "frontends/win32/window_pictures.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace orvelin::win32 {
namespace {

constexpr UINT_PTR timerIdentifier = 1;
constexpr wchar_t className[] = L"OrvelinWindow";

} // namespace

Win32Window::Win32Window(const WindowDesign &design, WindowEvents &events)
    : design_(design), events_(events), picture_(loadPicture(design.picture)),
      bigIcon_(loadWindowIcon(design.icon, ICON_BIG)), smallIcon_(loadWindowIcon(design.icon, ICON_SMALL)) {
  [[maybe_unused]] static const ATOM registered =
      registerWindowClass(className, procedure, LoadCursorW(nullptr, IDC_ARROW));
  // Made where it will open, so that it has that monitor's DPI, then sized and centred for it.
  // WS_SYSMENU and WS_MINIMIZEBOX draw nothing without a caption; they let the taskbar button
  // minimise, restore and close the window.
  HMONITOR monitor = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  const RECT opening = centredPopupRectOnMonitor(monitor, {1, 1});
  CreateWindowExW(WS_EX_APPWINDOW, className, utf16FromUtf8(design.caption).c_str(),
                  WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, opening.left, opening.top, 1, 1, nullptr, nullptr,
                  GetModuleHandleW(nullptr), this);
  // The window cannot be moved or sized, even from its taskbar button's menu.
  HMENU systemMenu = GetSystemMenu(window_, FALSE);
  for (const UINT command : {UINT{SC_MOVE}, UINT{SC_SIZE}, UINT{SC_MAXIMIZE}}) {
    DeleteMenu(systemMenu, command, MF_BYCOMMAND);
  }
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

  HWND tooltips = createTooltips(window_);
  controls_.reserve(design.controls.size());
  for (const ControlDesign &each : design.controls) {
    const int identifier = static_cast<int>(controls_.size()) + 1;
    Control &made =
        controls_.emplace_back(Control{&each, createControlWindow(window_, each, identifier, controlEvents_), {}});
    if (!each.tooltip.empty()) {
      addTooltip(tooltips, window_, made.handle, each.tooltip);
    }
    if (each.kind == ControlKind::TextBox && each.background) {
      made.fill.reset(CreateSolidBrush(colourOf(*each.background)));
    }
  }
  for (const Control &each : controls_) {
    answerForAccessibility(each.handle, accessibilityOf(*each.design));
  }
  // Drops on its controls come to it as well. Whether the files are taken is the behaviour's choice.
  DragAcceptFiles(window_, TRUE);
  dpi_ = windowDpi(window_);
  layOut();
  const Size client = pixelsFromTwips(design.clientSize, static_cast<int>(dpi_));
  const RECT placed = centredPopupRectOnMonitor(monitor, {client.width, client.height});
  SetWindowPos(window_, nullptr, placed.left, placed.top, client.width, client.height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (!design.tabOrder.empty()) {
    focused_ = control(design.tabOrder.front()).handle;
  }
}

Win32Window::~Win32Window() { DestroyWindow(window_); }

std::u16string Win32Window::text(std::string_view control) const {
  HWND handle = this->control(control).handle;
  // Read straight into the result: for the password box, no other copy of the password is made.
  std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(handle, reinterpret_cast<wchar_t *>(text.data()), static_cast<int>(text.size()))));
  return text;
}

void Win32Window::setText(std::string_view control, std::u16string_view text) {
  HWND handle = this->control(control).handle;
  SetWindowTextW(handle, std::wstring(text.begin(), text.end()).c_str());
  redrawBeneath(handle);
  if (accessibleOf(design_, *this->control(control).design).announced) {
    announceNewText(handle);
  }
}

void Win32Window::setVisible(std::string_view control, bool visible) {
  const Control &shown = this->control(control);
  ShowWindow(shown.handle, visible ? SW_SHOWNA : SW_HIDE);
  redrawBeneath(shown.handle);
  if (shown.design->kind == ControlKind::ProgressBar) {
    taskbar_.show(window_, visible);
  }
  // A selector reads as checked while its group's first control shows.
  for (const Control &each : controls_) {
    if (accessibleOf(design_, *each.design).selects == control) {
      announceNewState(each.handle);
    }
  }
}

void Win32Window::setProgress(std::string_view control, double fraction) {
  SendMessageW(this->control(control).handle, PBM_SETPOS, static_cast<WPARAM>(fraction * progressSteps), 0);
  taskbar_.set(window_, fraction);
}

void Win32Window::focus(std::string_view control) {
  focused_ = this->control(control).handle;
  // An inactive window gets it when it is activated again.
  if (GetActiveWindow() == window_) {
    SetFocus(focused_);
  }
}

void Win32Window::setBusyPointer(bool busy) {
  busy_ = busy;
  // The system asks for the pointer only when the mouse moves; it changes now, as the user expects.
  POINT at{};
  GetCursorPos(&at);
  HWND under = WindowFromPoint(at);
  if (under == window_ || IsChild(window_, under) != FALSE) {
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
}

void Win32Window::paintNow() { RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

void Win32Window::minimise() { ShowWindow(window_, SW_MINIMIZE); }

void Win32Window::show() {
  ShowWindow(window_, SW_SHOW);
  // Drawn before whatever comes next, such as taking away the window this one replaces, which can
  // keep the event loop waiting.
  UpdateWindow(window_);
  if (design_.timer) {
    SetTimer(window_, timerIdentifier, static_cast<UINT>(design_.timer->intervalMilliseconds), nullptr);
  }
}

LRESULT CALLBACK Win32Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto *self = static_cast<Win32Window *>(reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto *self = reinterpret_cast<Win32Window *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  return self->handleMessage(message, wParam, lParam);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_ERASEBKGND:
    // WM_PAINT paints the background together with the rest.
    return 1;
  case WM_PAINT:
    paint();
    return 0;
  case WM_DRAWITEM:
    drawLabel(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    return TRUE;
  case WM_CTLCOLOREDIT:
    return colourTextBox(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  case WM_SETCURSOR:
    // Over the window and every control on it, text boxes included.
    if (busy_) {
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      return TRUE;
    }
    break;
  case WM_ACTIVATE:
    activated(wParam);
    return 0;
  case WM_TIMER:
    if (wParam == timerIdentifier && design_.timer) {
      events_.ticked(design_.timer->name);
    }
    return 0;
  case WM_CLOSE:
    // Not while a job runs: the window and its behaviour have to outlive it.
    if (busy_) {
      return 0;
    }
    // Destroyed by whoever made it, once the running handler has returned.
    ShowWindow(window_, SW_HIDE);
    events_.closed();
    return 0;
  case WM_DROPFILES:
    if (const std::vector<std::u16string> files = takeDroppedFiles(reinterpret_cast<HDROP>(wParam)); !files.empty()) {
      events_.filesDropped(files);
    }
    return 0;
  case WM_DPICHANGED:
    dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
    return 0;
  case WM_SYSCOLORCHANGE:
    // The scheme changed, high contrast perhaps with it: everything is painted again in its colours.
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
  default:
    break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void Win32Window::paint() {
  PAINTSTRUCT painting{};
  HDC dc = BeginPaint(window_, &painting);
  paintWindowFace(dc, painting.rcPaint, design_, picture_, dpi_);
  EndPaint(window_, &painting);
}

void Win32Window::drawLabel(const DRAWITEMSTRUCT &item) {
  if (const Control *label = controlOf(item.hwndItem)) {
    const HGDIOBJ previous =
        SelectObject(item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    win32::drawLabel(item.hDC, item.rcItem, *label->design, controlText(item.hwndItem));
    SelectObject(item.hDC, previous);
  }
}

LRESULT Win32Window::colourTextBox(HDC dc, HWND box) {
  const Control *textBox = controlOf(box);
  if (textBox == nullptr) {
    return DefWindowProcW(window_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box));
  }
  const Contrast contrast = currentContrast();
  SetTextColor(dc, colourOf(textColour(*textBox->design, contrast)));
  if (textBox->fill && fillOf(*textBox->design, contrast)) {
    SetBkColor(dc, colourOf(*textBox->design->background));
    return reinterpret_cast<LRESULT>(textBox->fill.get());
  }
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

void Win32Window::activated(WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE) {
    // The focus is still where the user left it; it goes back there when the window is active again.
    HWND had = GetFocus();
    if (had != nullptr && IsChild(window_, had) != FALSE) {
      focused_ = had;
    }
  } else if (HIWORD(state) == 0) {
    SetFocus(focused_ != nullptr ? focused_ : window_);
  }
}

void Win32Window::dpiChanged(unsigned dpi, const RECT &suggested) {
  dpi_ = dpi;
  layOut();
  const Size client = pixelsFromTwips(design_.clientSize, static_cast<int>(dpi_));
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, client.width, client.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Window::layOut() {
  // The fonts in use go only once every control has its new one.
  WindowFonts fonts(dpi_);
  for (const Control &each : controls_) {
    layOutControl(each.handle, *each.design, fonts, dpi_);
  }
  fonts_ = std::move(fonts);
}

void Win32Window::redrawBeneath(HWND control) {
  // A transparent label shows what is beneath it, which has to be painted again first.
  RECT area{};
  GetWindowRect(control, &area);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT *>(&area), 2);
  RedrawWindow(window_, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Window::clicked(HWND control) {
  if (const Control *clicked = controlOf(control)) {
    events_.clicked(clicked->design->name);
  }
}

void Win32Window::tabbed(HWND control, bool backwards) {
  const std::span<const std::string_view> order = design_.tabOrder;
  const Control *from = controlOf(control);
  const auto at = std::find(order.begin(), order.end(), from->design->name);
  if (at == order.end()) {
    return;
  }
  const auto index = static_cast<std::size_t>(at - order.begin());
  const std::size_t next = (index + (backwards ? order.size() - 1 : 1)) % order.size();
  focused_ = this->control(order[next]).handle;
  SetFocus(focused_);
  // As a dialog does: the box reached by Tab has its whole text selected, to be typed over.
  SendMessageW(focused_, EM_SETSEL, 0, -1);
}

const Win32Window::Control &Win32Window::control(std::string_view name) const {
  return controls_[controlIndex(design_, name)];
}

const Win32Window::Control *Win32Window::controlOf(HWND handle) const {
  const auto found =
      std::find_if(controls_.begin(), controls_.end(), [handle](const Control &each) { return each.handle == handle; });
  return found == controls_.end() ? nullptr : &*found;
}

ControlAccessibility Win32Window::accessibilityOf(const ControlDesign &control) const {
  const AccessibleControl told = accessibleOf(design_, control);
  // A name that is the control's text follows the text as the behaviour changes it.
  return {.role = told.role,
          .name = told.name == control.text ? std::nullopt : std::optional(utf16FromUtf8(told.name)),
          .description = utf16FromUtf8(told.description),
          .selects = told.selects.empty() ? nullptr : this->control(told.selects).handle};
}

} // namespace orvelin::win32
