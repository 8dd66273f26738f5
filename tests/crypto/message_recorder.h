#pragma once

#include "base/message_sink.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace orvelin::testing {

struct RecordedMessage {
  std::string text;
  std::string title;
  MessageStyle style;
  bool operator==(const RecordedMessage &) const = default;
};

std::ostream &operator<<(std::ostream &out, const RecordedMessage &message);

// Records the message boxes shown in it, instead of showing them.
class MessageRecorder final : public MessageSink {
public:
  void show(const std::string &text, const std::string &title, MessageStyle style) override {
    if (onShow) {
      onShow();
    }
    messages_.push_back({text, title, style});
  }

  // Called as each box is shown, before it is recorded: a test looks at the window under it, or throws.
  std::function<void()> onShow;

  [[nodiscard]] const std::vector<RecordedMessage> &messages() const { return messages_; }
  [[nodiscard]] std::vector<std::string> texts() const;
  void clear() { messages_.clear(); }

private:
  std::vector<RecordedMessage> messages_;
};

// The box every engine failure shows.
RecordedMessage engineFailure(const std::string &text);
RecordedMessage corruptionMessage();

} // namespace orvelin::testing
