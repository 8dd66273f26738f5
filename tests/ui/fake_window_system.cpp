#include "fake_window_system.h"

#include <stdexcept>

namespace orvelin::testing {

std::unique_ptr<RenderedWindow> FakeWindowSystem::create(const WindowDesign &design, WindowEvents &events) {
  auto window = std::make_unique<FakeWindow>(design, [this](const FakeWindow &which, std::string_view event) {
    log_.push_back(std::string(event) + " " + std::string(which.design().name));
    if (event == "destroy") {
      std::erase_if(live_, [&which](const Live &each) { return each.window == &which; });
    }
  });
  live_.push_back({window.get(), &events});
  return window;
}

void FakeWindowSystem::finishHandler() {
  while (!afterHandler_.empty()) {
    const std::function<void()> task = std::move(afterHandler_.front());
    afterHandler_.pop_front();
    task();
  }
}

const FakeWindowSystem::Live &FakeWindowSystem::only() const {
  if (live_.size() != 1) {
    throw std::logic_error(std::to_string(live_.size()) + " windows exist, not one");
  }
  return live_.front();
}

} // namespace orvelin::testing
