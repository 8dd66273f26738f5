#include "job_folder.h"

#include "tests/crypto/vectors.h"

#include <QDir>

#include <random>

namespace orvelin::testing {

std::string randomBytes(std::size_t length) {
  std::mt19937 generator(12345);
  std::string bytes(length, '\0');
  for (char &byte : bytes) {
    byte = static_cast<char>(generator());
  }
  return bytes;
}

QString JobFolder::put(const QString &name, const std::string &bytes) {
  QString path = dir.filePath(name);
  writeBytes(path.toStdString(), bytes);
  return path;
}

std::string JobFolder::contentOf(const QString &path) { return readBytes(path.toStdString()); }

QStringList JobFolder::entries() const {
  return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

std::vector<RecordedMessage> JobFolder::fileErrors(const QString &text) {
  return {{text.toStdString(), "File Error", MessageStyle::Critical}};
}

} // namespace orvelin::testing
