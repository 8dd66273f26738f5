#include "file_lookup.h"

#include <QFileInfo>

namespace orvelin {

bool namesExistingFile(const QString &name, HiddenFiles hidden) {
  const QFileInfo file(name);
  // The folder search sees the entry the user named: a link called "notes.txt" is found wherever
  // it leads, a link called ".notes" is not, and a hidden folder higher up the path is not searched.
  if (hidden == HiddenFiles::PassedOver && file.fileName().startsWith(QLatin1Char('.'))) {
    return false;
  }
  return !name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')) && file.isFile();
}

} // namespace orvelin
