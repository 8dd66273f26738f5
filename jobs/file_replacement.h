#pragma once
// Replacing a file's content without ever putting the old content at risk: the new bytes go to a
// private temporary file beside it as they come, get what the user chose for the old file (owner,
// permissions, access list; attributes and security descriptor), reach the disk, and only then take
// its place in one atomic step, and only if the old file is still there as it was read.
// At any moment the path holds either the whole old content or the whole new one.

#include "base/message_sink.h"
#include "system_files.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace orvelin {

// False, with a "File Error" box shown in messages, when the file at path may not be rewritten
// (read-only).
bool checkReplaceable(const std::filesystem::path &path, MessageSink &messages);

// One replacement of a file's content: begin, append the new content in order (from any one thread
// at a time), finish. Gone before finish has put the new content in place, it takes its temporary
// file with it: the file is then untouched.
class ContentReplacement {
public:
  ContentReplacement() = default;
  ContentReplacement(const ContentReplacement &) = delete;
  ContentReplacement &operator=(const ContentReplacement &) = delete;
  ~ContentReplacement();

  // Creates the temporary file for the file at place that path names, as stamp says it was read.
  // False, with a "File Error" box shown in messages, when it cannot; nothing is then left behind.
  // Place must outlive the replacement.
  bool begin(const std::filesystem::path &path, const os::Place &place, const os::FileStamp &stamp,
             MessageSink &messages);
  // Writes bytes after those before; false, with the reason in os::lastError(), when they could not
  // all be written.
  bool append(std::string_view bytes);
  // Puts what was appended in place of the file. False, with a "File Error" box shown, when the
  // content could not be replaced: the file is then untouched and no temporary file is left. True
  // once the file holds the new content and the disk has recorded it; where the disk reports an
  // error only for the last step, false with a box that says the file holds the new content. A
  // symbolic link stays a link; its target is rewritten. A file changed since it was opened is left
  // as it is now, with a box that says so.
  bool finish(MessageSink &messages);
  // Shows the box of an append that failed with error, and abandons the replacement. Returns false.
  bool failed(os::ErrorCode error, MessageSink &messages);

private:
  void abandon();
  bool takeOver(MessageSink &messages);
  bool changedMeanwhile(MessageSink &messages);
  os::PrivateFile placedFile();

  std::filesystem::path path_;
  const os::Place *place_ = nullptr;
  os::FileStamp stamp_{};
  std::optional<os::PrivateFile> file_;
};

} // namespace orvelin
