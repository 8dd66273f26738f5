#include "frontends/win32/accessible_object.h"

#include "frontends/win32/control_windows.h"

#include <commctrl.h>
#include <wrl/client.h>

#include <atomic>
#include <string>
#include <utility>

namespace orvelin::win32 {
namespace {

using Microsoft::WRL::ComPtr;

LONG systemRoleOf(AccessibleRole role) {
  switch (role) {
  case AccessibleRole::Button:
    return ROLE_SYSTEM_PUSHBUTTON;
  case AccessibleRole::EditableText:
    return ROLE_SYSTEM_TEXT;
  case AccessibleRole::ProgressBar:
    return ROLE_SYSTEM_PROGRESSBAR;
  case AccessibleRole::StaticText:
    break;
  }
  return ROLE_SYSTEM_STATICTEXT;
}

bool isSelf(const VARIANT &child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A text as MSAA hands it over: none when empty.
HRESULT answer(const std::wstring &text, BSTR *out) {
  if (out == nullptr) {
    return E_POINTER;
  }
  if (text.empty()) {
    *out = nullptr;
    return S_FALSE;
  }
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The bar's position as a percentage of its range, as the system reads a progress bar out.
std::wstring progressValue(HWND bar) {
  const auto position = static_cast<long long>(SendMessageW(bar, PBM_GETPOS, 0, 0));
  const auto low = static_cast<long long>(SendMessageW(bar, PBM_GETRANGE, TRUE, 0));
  const auto high = static_cast<long long>(SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
  const long long percent = high > low ? (position - low) * 100 / (high - low) : 0;
  return std::to_wstring(percent) + L"%";
}

// COM's interfaces have no virtual destructor: an object is deleted only by its own Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class AccessibleObject final : public IAccessible {
public:
  AccessibleObject(HWND control, ComPtr<IAccessible> standard, ControlAccessibility facts)
      : control_(control), standard_(std::move(standard)), facts_(std::move(facts)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID requested, void **object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    if (requested == __uuidof(IUnknown) || requested == __uuidof(IDispatch) || requested == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible *>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      delete this;
    }
    return left;
  }

  // IDispatch: not offered, so that nothing reaches the standard object past the answers below.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override {
    if (count == nullptr) {
      return E_POINTER;
    }
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT /*index*/, LCID /*locale*/, ITypeInfo ** /*info*/) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID /*unused*/, LPOLESTR * /*names*/, UINT /*count*/, LCID /*locale*/,
                                          DISPID * /*identifiers*/) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID /*member*/, REFIID /*unused*/, LCID /*locale*/, WORD /*flags*/,
                                   DISPPARAMS * /*parameters*/, VARIANT * /*result*/, EXCEPINFO * /*exception*/,
                                   UINT * /*argumentError*/) override {
    return E_NOTIMPL;
  }

  // What the design says.
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override {
    if (!isSelf(child)) {
      return standard_->get_accRole(child, role);
    }
    if (role == nullptr) {
      return E_POINTER;
    }
    role->vt = VT_I4;
    role->lVal = systemRoleOf(facts_.role);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override {
    if (!isSelf(child)) {
      return standard_->get_accName(child, name);
    }
    if (IsWindow(control_) == FALSE) {
      return RPC_E_DISCONNECTED;
    }
    return answer(facts_.name ? *facts_.name : controlText(control_), name);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *description) override {
    return isSelf(child) ? answer(facts_.description, description) : standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override {
    if (!isSelf(child) || facts_.role != AccessibleRole::ProgressBar) {
      return standard_->get_accValue(child, value);
    }
    if (IsWindow(control_) == FALSE) {
      return RPC_E_DISCONNECTED;
    }
    return answer(progressValue(control_), value);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override {
    const HRESULT result = standard_->get_accState(child, state);
    if (FAILED(result) || !isSelf(child) || state->vt != VT_I4) {
      return result;
    }
    // Only text boxes take the keyboard focus.
    if (facts_.role != AccessibleRole::EditableText) {
      state->lVal &= ~STATE_SYSTEM_FOCUSABLE;
    }
    if (facts_.selects != nullptr && (GetWindowLongW(facts_.selects, GWL_STYLE) & WS_VISIBLE) != 0) {
      state->lVal |= STATE_SYSTEM_CHECKED;
    }
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override {
    return isSelf(child) && pressable() ? answer(L"Press", action) : standard_->get_accDefaultAction(child, action);
  }
  // Posted, as a click comes through the queue: the caller does not wait for what it runs (a job, a
  // box), and while the window's job runs, its pump drops it as it drops clicks.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!isSelf(child) || !pressable()) {
      return standard_->accDoDefaultAction(child);
    }
    return PostMessageW(control_, pressMessage, 0, 0) != FALSE ? S_OK : RPC_E_DISCONNECTED;
  }

  // The system's.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG *count) override { return standard_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, LONG *topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *child) override { return standard_->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override { return standard_->accSelect(how, child); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG *left, LONG *top, LONG *width, LONG *height, VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT *end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT *child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

private:
  ~AccessibleObject() = default;
  [[nodiscard]] bool pressable() const { return facts_.role == AccessibleRole::Button; }

  std::atomic<ULONG> references_{1};
  HWND control_;
  ComPtr<IAccessible> standard_;
  const ControlAccessibility facts_;
};
#pragma GCC diagnostic pop

} // namespace

IAccessible *newAccessibleObject(HWND control, const ControlAccessibility &facts) {
  ComPtr<IAccessible> standard;
  if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void **>(standard.GetAddressOf())))) {
    return nullptr;
  }
  return new AccessibleObject(control, std::move(standard), facts);
}

} // namespace orvelin::win32
