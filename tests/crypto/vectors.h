#pragma once
// The known-answer files of the encrypted format, made with a real CryptoAPI implementation and
// kept in tests/data/vectors.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orvelin::testing {

std::filesystem::path vectorsDir();

// A whole file's bytes; fails the test (throws) when it cannot be read.
std::string readBytes(const std::filesystem::path &path);
void writeBytes(const std::filesystem::path &path, std::string_view bytes);

std::string fromHex(std::string_view hex);
std::string toHex(std::string_view bytes);

// Bytes i of which is (i * 7) % 251, with NULs among them: a period no slice of the engine's is a
// multiple of, so a slice taken from the wrong place changes the result.
std::string patterned(std::size_t length);

// The rows of a tab-separated table of the vectors folder, each mapping column names to values.
using TsvRow = std::map<std::string, std::string>;
std::vector<TsvRow> readTsv(const std::string &name);

// One row of the manifest: a password and a plain file that encrypts to exactly the cipher file.
struct KnownAnswer {
  std::string id;
  std::string password; // Windows-1252 bytes
  std::filesystem::path plainFile;
  std::filesystem::path cipherFile;
};
std::vector<KnownAnswer> knownAnswers();

} // namespace orvelin::testing
