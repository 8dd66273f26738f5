#pragma once

#include "base/message_sink.h"

namespace orvelin {

// Boxes as lines "<title>: <text>" on standard error, for programs with no window to show them:
// the benchmark and the test tools.
class StandardErrorMessages final : public MessageSink {
public:
  void show(const std::string &text, const std::string &title, MessageStyle style) override;
};

} // namespace orvelin
