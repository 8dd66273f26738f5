#include "file_error.h"

#include "base/unicode_text.h"
#include "job_texts.h"

namespace orvelin {

bool reportFileError(MessageSink &messages, const std::string &text) {
  messages.show(text, "File Error", MessageStyle::Critical);
  return false;
}

// Built piece by piece: GCC 12 at -O3 takes "literal" + string for an overlapping copy (-Wrestrict).
std::string quoted(const std::filesystem::path &path) {
  const std::string name = utf8Of(path);
  std::string text;
  text.reserve(name.size() + 2);
  text.append(1, '"').append(name).append(1, '"');
  return text;
}

std::string cannot(const char *action, const std::filesystem::path &path) { return cannotText(action, utf8Of(path)); }

std::string fileErrorText(const char *action, const std::filesystem::path &path, os::ErrorCode error) {
  return cannot(action, path) + os::errorText(error) + ".";
}

} // namespace orvelin
