#pragma once

#include "base/message_box.h"

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

// Records the message boxes shown while it lives, instead of showing them.
class MessageRecorder {
public:
  MessageRecorder();
  MessageRecorder(const MessageRecorder &) = delete;
  MessageRecorder &operator=(const MessageRecorder &) = delete;
  ~MessageRecorder();

  [[nodiscard]] const std::vector<RecordedMessage> &messages() const { return messages_; }
  [[nodiscard]] std::vector<std::string> texts() const;
  void clear() { messages_.clear(); }

private:
  std::vector<RecordedMessage> messages_;
  MessagePresenter previous_;
};

// The box every engine failure shows.
RecordedMessage engineFailure(const std::string &text);
RecordedMessage corruptionMessage();

} // namespace orvelin::testing
