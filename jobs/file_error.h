#pragma once

#include "base/message_sink.h"
#include "system_files.h"

#include <filesystem>
#include <string>

namespace orvelin {

// How a box says that the file is as it was.
inline constexpr const char *fileUnchanged = "The file has not been changed.";
// How a box says that the file was replaced, though the disk may not keep the replacement.
inline constexpr const char *fileReplacedUnrecorded =
    "The file holds its new content, but the disk may not have recorded the change.";

// Shows the box of a file operation that failed in messages: critical icon, titled "File Error".
// Returns false.
bool reportFileError(MessageSink &messages, const std::string &text);

// The path in quotes, as every such box shows one.
std::string quoted(const std::filesystem::path &path);

// "Cannot <action> "<path>": ", the start of every such box's text.
std::string cannot(const char *action, const std::filesystem::path &path);

// "Cannot <action> "<path>": <the system's reason for error>."
std::string fileErrorText(const char *action, const std::filesystem::path &path, os::ErrorCode error);

} // namespace orvelin
