#include "message_recorder.h"

namespace orvelin::testing {

std::ostream &operator<<(std::ostream &out, const RecordedMessage &message) {
  return out << '{' << message.title << ": " << message.text << " (style " << static_cast<int>(message.style) << ")}";
}

std::vector<std::string> MessageRecorder::texts() const {
  std::vector<std::string> texts;
  for (const RecordedMessage &message : messages_) {
    texts.push_back(message.text);
  }
  return texts;
}

RecordedMessage engineFailure(const std::string &text) { return {text, "Lumo Crypto", MessageStyle::Plain}; }

RecordedMessage corruptionMessage() {
  return {"File has been corrupted since original encryption!", "File Error", MessageStyle::Information};
}

} // namespace orvelin::testing
