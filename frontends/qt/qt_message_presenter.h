#pragma once

namespace orvelin {

// From now on, every message box of the program is a real, modal Qt message box with an OK button,
// over the active window if there is one.
void installQtMessagePresenter();

} // namespace orvelin
