#include "file_error.h"

#include "crypto/message_box.h"
#include "unicode_text.h"

namespace orvelin {

bool reportFileError(const std::string &text) {
  showMessageBox(text, "File Error", MessageStyle::Critical);
  return false;
}

std::string quoted(const std::filesystem::path &path) { return "\"" + utf8Of(path) + "\""; }

std::string cannot(const char *action, const std::filesystem::path &path) {
  return std::string("Cannot ") + action + " " + quoted(path) + ": ";
}

std::string fileErrorText(const char *action, const std::filesystem::path &path, os::ErrorCode error) {
  return cannot(action, path) + os::errorText(error) + ".";
}

} // namespace orvelin
