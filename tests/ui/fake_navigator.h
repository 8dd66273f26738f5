#pragma once

#include "ui/navigator.h"

#include <vector>

namespace orvelin::testing {

// Records what a window's behaviour asks of whoever shows the windows.
class FakeNavigator final : public Navigator {
public:
  void show(Window window) override { shown.push_back(window); }
  void endProgram() override { ++ends; }

  std::vector<Window> shown;
  int ends = 0;
};

} // namespace orvelin::testing
