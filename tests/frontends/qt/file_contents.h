#pragma once
// A whole file read or written, for the window tests' files.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace orvelin::testing {

// Empty if it cannot be read.
inline QByteArray contentOf(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &content) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace orvelin::testing
