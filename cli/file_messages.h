#pragma once
// The message boxes of one file's job as lines of text, so that files run at the same time never
// mix their lines.

#include "base/message_sink.h"

#include <string>
#include <vector>

namespace orvelin::cli {

// Adds each box shown to it to lines as "<file>: <text>".
class FileMessages final : public MessageSink {
public:
  FileMessages(const std::string &file, std::vector<std::string> &lines) : file_(file), lines_(lines) {}

  void show(const std::string &text, const std::string &title, MessageStyle style) override;

private:
  const std::string &file_;
  std::vector<std::string> &lines_;
};

} // namespace orvelin::cli
