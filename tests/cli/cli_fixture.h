#pragma once
// What the tests of orvelin-cli share: a folder of their own files, and the engine to make files of
// the format with.

#include "tests/crypto/engine_runs.h"
#include "tests/crypto/message_recorder.h"
#include "tests/crypto/vectors.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <string>

namespace orvelin::testing {

class Cli : public ::testing::Test {
protected:
  QString put(const QString &name, const std::string &bytes) {
    QString path = dir.filePath(name);
    writeBytes(path.toStdString(), bytes);
    return path;
  }
  static std::string contentOf(const QString &path) { return readBytes(path.toStdString()); }
  QString passwordFile(const std::string &content) { return put(QStringLiteral("password.txt"), content); }
  // Sparse, yet as long to encrypt as any 200 MiB: seconds after it has been read in.
  static constexpr std::size_t slowSize = std::size_t{200} << 20;
  QString slowFile() {
    QString large = put("large.bin", "");
    std::filesystem::resize_file(large.toStdString(), slowSize);
    return large;
  }

  QTemporaryDir dir;
  // The engine's boxes while a test makes files of the format itself.
  MessageRecorder boxes;
};

} // namespace orvelin::testing
