#pragma once

namespace orvelin::win32 {

// From now on every message box of the program is a modal MessageBoxW with an OK button, owned by
// the thread's active window; without one, the box holds up every window of the thread instead.
void installMessageBoxPresenter();

} // namespace orvelin::win32
