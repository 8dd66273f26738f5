#include "file_lookup.h"

#include <QFileInfo>

namespace orvelin {

bool namesExistingFile(const QString &name) {
  return !name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')) && QFileInfo(name).isFile();
}

} // namespace orvelin
