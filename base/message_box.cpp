#include "message_box.h"

#include <iostream>
#include <utility>

namespace orvelin {
namespace {

MessagePresenter &presenter() {
  static MessagePresenter installed;
  return installed;
}

} // namespace

void showMessageBox(const std::string &text, const std::string &title, MessageStyle style) {
  if (presenter()) {
    presenter()(text, title, style);
  } else {
    std::cerr << title << ": " << text << '\n';
  }
}

MessagePresenter setMessagePresenter(MessagePresenter replacement) {
  return std::exchange(presenter(), std::move(replacement));
}

} // namespace orvelin
