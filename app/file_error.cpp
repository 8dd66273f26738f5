#include "file_error.h"

#include "crypto/message_box.h"

#include <cstring>

namespace orvelin {

bool reportFileError(const QString &text) {
  showMessageBox(text.toStdString(), "File Error", MessageStyle::Critical);
  return false;
}

QString fileErrorText(const char *action, const QString &path, int errorNumber) {
  return QStringLiteral("Cannot %1 \"%2\": %3.")
      .arg(QLatin1String(action), path, QString::fromLocal8Bit(std::strerror(errorNumber)));
}

} // namespace orvelin
