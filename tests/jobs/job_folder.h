#pragma once
// A scratch folder for the file-job tests, with the boxes of the jobs recorded.

#include "tests/crypto/message_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace orvelin::testing {

// Deterministic bytes that look random, so that no two blocks of a test file are alike.
std::string randomBytes(std::size_t length);

class JobFolder : public ::testing::Test {
protected:
  JobFolder();
  // Removes the folder, whatever permissions or attributes a test left on it.
  ~JobFolder() override;

  std::filesystem::path put(const std::filesystem::path &name, const std::string &bytes);
  static std::string contentOf(const std::filesystem::path &path);
  // The names of every entry of the folder, hidden ones included, in UTF-8 and sorted.
  [[nodiscard]] std::vector<std::string> entries() const;
  [[nodiscard]] static std::vector<RecordedMessage> fileErrors(const std::string &text);
  // A path as the jobs' messages show it.
  [[nodiscard]] static std::string shown(const std::filesystem::path &path);

  const std::filesystem::path dir;
  MessageRecorder boxes;
};

} // namespace orvelin::testing
