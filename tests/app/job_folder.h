#pragma once
// A scratch folder for the file-job tests, with the boxes of the jobs recorded.

#include "tests/crypto/message_recorder.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvelin::testing {

// Deterministic bytes that look random, so that no two blocks of a test file are alike.
std::string randomBytes(std::size_t length);

class JobFolder : public ::testing::Test {
protected:
  QString put(const QString &name, const std::string &bytes);
  static std::string contentOf(const QString &path);
  // Every entry of the folder, hidden ones included.
  [[nodiscard]] QStringList entries() const;
  [[nodiscard]] static std::vector<RecordedMessage> fileErrors(const QString &text);

  QTemporaryDir dir;
  MessageRecorder boxes;
};

} // namespace orvelin::testing
