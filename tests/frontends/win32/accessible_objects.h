#pragma once
// A window's accessible object as a screen reader gets it through Microsoft Active Accessibility,
// from this process or from another, and what the tests read of it.

#include "base/windows_api.h"

#include <oleacc.h>
#include <wrl/client.h>

#include <string>

namespace orvelin::win32 {

using Microsoft::WRL::ComPtr;

// The object of the window's client area; null when there is none.
ComPtr<IAccessible> accessibleObjectOf(HWND window);

// The object itself, as the child to ask about.
VARIANT self();

// A text the object gives of itself, such as its name; empty when it gives none.
std::wstring accessibleText(const ComPtr<IAccessible> &object,
                            HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *));

// A number the object gives of itself, its role or its state; -1 when it gives none.
LONG accessibleNumber(const ComPtr<IAccessible> &object,
                      HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT *));

} // namespace orvelin::win32
