#pragma once
// Replacing a file's content without ever putting the old content at risk: the new bytes go to a
// private temporary file beside it, reach the disk, get what the user chose for the old file
// (permissions; attributes and security descriptor), and only then take its place in one atomic
// step. At any moment the path holds either the whole old content or the whole new one.

#include "base/message_sink.h"
#include "base/progress.h"

#include <filesystem>
#include <string_view>

namespace orvelin {

// False, with a "File Error" box shown in messages, when the file at path may not be rewritten
// (read-only).
bool checkReplaceable(const std::filesystem::path &path, MessageSink &messages);

// False, with a "File Error" box shown, when the content could not be replaced: the file is then
// untouched and no temporary file is left. True once the file holds the new content. A symbolic
// link stays a link; its target is rewritten. Each piece written is reported to progress as
// Work::Writing; should progress throw, the file is untouched and no temporary file is left. The
// boxes go to messages.
bool replaceFileContent(const std::filesystem::path &path, std::string_view bytes, const ProgressReport &progress,
                        MessageSink &messages);

} // namespace orvelin
