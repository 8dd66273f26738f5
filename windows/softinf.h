#pragma once
// The software information window: what the program is, who publishes it, and its identification.

#include "information_window.h"

namespace orvelin {

class softinf : public InformationWindow {
  Q_OBJECT

public:
  softinf();
};

} // namespace orvelin
