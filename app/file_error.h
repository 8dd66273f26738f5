#pragma once

#include <QString>

namespace orvelin {

// Shows the box of a file operation that failed: critical icon, titled "File Error". Returns false.
bool reportFileError(const QString &text);

// "Cannot <action> "<path>": <the system's reason for errorNumber>."
QString fileErrorText(const char *action, const QString &path, int errorNumber);

} // namespace orvelin
