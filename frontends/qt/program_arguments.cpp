#include "program_arguments.h"

#include "qt_conversions.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace orvelin {

std::vector<std::u16string> handedFiles(const QStringList &arguments) {
  std::vector<std::u16string> files;
  for (qsizetype index = 1; index < arguments.size(); ++index) {
    files.push_back(QFileInfo(arguments[index]).absoluteFilePath().toStdU16String());
  }
  return files;
}

bool startProgramFor(const std::u16string &file) {
  return QProcess::startDetached(QCoreApplication::applicationFilePath(), {qtString(file)});
}

} // namespace orvelin
