#include "file_messages.h"

namespace orvelin::cli {

void FileMessages::show(const std::string &text, const std::string & /*title*/, MessageStyle /*style*/) {
  lines_.push_back(file_ + ": " + text);
}

} // namespace orvelin::cli
