#include "handed_files.h"

#include "base/unicode_text.h"

#include <iterator>

namespace orvelin {

std::u16string fileForThisRun(const std::vector<std::u16string> &files, const ProgramStarter &startFor,
                              MessageSink &messages) {
  if (files.empty()) {
    return {};
  }
  for (auto other = std::next(files.begin()); other != files.end(); ++other) {
    if (!startFor(*other)) {
      messages.show("Cannot open a window for \"" + utf8FromUtf16(*other) + "\".", "File Error",
                    MessageStyle::Critical);
    }
  }
  return files.front();
}

} // namespace orvelin
