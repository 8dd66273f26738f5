#pragma once
// How to use the program, and a notice on its warranty.

#include "information_window.h"

namespace orvelin {

class Help : public InformationWindow {
  Q_OBJECT

public:
  Help();
};

} // namespace orvelin
