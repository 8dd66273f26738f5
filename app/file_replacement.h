#pragma once
// Replacing a file's content without ever putting the old content at risk: the new bytes go to a
// private temporary file beside it, reach the disk, get the old file's permissions, and only then
// take its place in one atomic rename. At any moment the path holds either the whole old content
// or the whole new one.

#include <QString>

#include <string_view>

namespace orvelin {

// False, with a "File Error" box shown, when the file at path may not be rewritten (read-only).
bool checkReplaceable(const QString &path);

// False, with a "File Error" box shown, when the content could not be replaced; the file is then
// untouched and no temporary file is left. A symbolic link stays a link; its target is rewritten.
bool replaceFileContent(const QString &path, std::string_view bytes);

} // namespace orvelin
