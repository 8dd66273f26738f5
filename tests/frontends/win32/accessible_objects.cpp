#include "accessible_objects.h"

namespace orvelin::win32 {

ComPtr<IAccessible> accessibleObjectOf(HWND window) {
  ComPtr<IAccessible> object;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void **>(object.GetAddressOf())))) {
    object.Reset();
  }
  return object;
}

VARIANT self() {
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = CHILDID_SELF;
  return child;
}

std::wstring accessibleText(const ComPtr<IAccessible> &object,
                            HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *)) {
  BSTR text = nullptr;
  std::wstring result;
  if ((object.Get()->*get)(self(), &text) == S_OK && text != nullptr) {
    result.assign(text, SysStringLen(text));
  }
  SysFreeString(text);
  return result;
}

LONG accessibleNumber(const ComPtr<IAccessible> &object,
                      HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT *)) {
  VARIANT number{};
  VariantInit(&number);
  const bool given = SUCCEEDED((object.Get()->*get)(self(), &number)) && number.vt == VT_I4;
  const LONG result = given ? number.lVal : -1;
  VariantClear(&number);
  return result;
}

} // namespace orvelin::win32
