#pragma once

#include "base/message_sink.h"

namespace orvelin::win32 {

// Modal MessageBoxW boxes with an OK button, owned by the thread's active window; without one, a box
// holds up every window of the thread instead.
class Win32MessageBoxes final : public MessageSink {
public:
  void show(const std::string &text, const std::string &title, MessageStyle style) override;
};

} // namespace orvelin::win32
