#pragma once

#include <QString>

namespace orvelin {

// True when name is the path of one existing regular file, or of a symbolic link to one. Folders
// and names with the wildcard characters * or ? are not found, even when something matches them.
bool namesExistingFile(const QString &name);

} // namespace orvelin
