#include "program_windows.h"

#include "About_design.h"
#include "Help_design.h"
#include "Startup_behaviour.h"
#include "Startup_design.h"
#include "app/frmMain_behaviour.h"
#include "app/frmMain_design.h"
#include "information_window_behaviour.h"
#include "softinf_design.h"

#include <utility>

namespace orvelin {

const WindowDesign &designOf(Window window) {
  switch (window) {
  case Window::Startup:
    return StartupDesign;
  case Window::frmMain:
    return frmMainDesign;
  case Window::Help:
    return HelpDesign;
  case Window::About:
    return AboutDesign;
  case Window::softinf:
    break;
  }
  return softinfDesign;
}

std::unique_ptr<WindowBehaviour> createBehaviour(Window window, WindowView &view, Navigator &navigator,
                                                 const MainWindowServices &services, std::u16string handedFile) {
  switch (window) {
  case Window::Startup:
    return std::make_unique<StartupBehaviour>(navigator);
  case Window::frmMain:
    return std::make_unique<frmMainBehaviour>(view, navigator, services, std::move(handedFile));
  case Window::Help:
    return std::make_unique<InformationWindowBehaviour>(
        view, navigator, InformationControls{HelpControls::exit, HelpControls::minimise}, HelpDesign.groups);
  case Window::About:
    return std::make_unique<InformationWindowBehaviour>(
        view, navigator, InformationControls{AboutControls::exit, AboutControls::minimise}, AboutDesign.groups);
  case Window::softinf:
    break;
  }
  return std::make_unique<InformationWindowBehaviour>(view, navigator, InformationControls{softinfControls::close},
                                                      softinfDesign.groups);
}

} // namespace orvelin
