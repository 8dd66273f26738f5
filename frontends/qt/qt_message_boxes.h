#pragma once

#include "base/message_sink.h"

namespace orvelin {

// Real, modal Qt message boxes with an OK button, over the active window if there is one.
class QtMessageBoxes final : public MessageSink {
public:
  void show(const std::string &text, const std::string &title, MessageStyle style) override;
};

} // namespace orvelin
