#pragma once
// Where the program's messages go: every box is modal, has an OK button only, a text, a title and
// an icon. Whoever starts work that may fail hands it the sink its messages go to: the front ends
// their message boxes, the job runner a hand-over to the window's thread, orvelin-cli the lines of
// one file, tests a recorder.

#include <string>

namespace orvelin {

// The style values of the boxes: which icon, if any.
enum class MessageStyle : int { Plain = 0, Critical = 16, Information = 64 };

class MessageSink {
public:
  MessageSink() = default;
  MessageSink(const MessageSink &) = delete;
  MessageSink &operator=(const MessageSink &) = delete;
  virtual ~MessageSink() = default;

  // Returns once the user has closed the box, so that a caller goes on only after it was read.
  virtual void show(const std::string &text, const std::string &title, MessageStyle style) = 0;
};

} // namespace orvelin
