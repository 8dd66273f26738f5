#include "vectors.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orvelin::testing {
namespace {

std::vector<std::string> splitTabs(const std::string &line) {
  std::vector<std::string> fields;
  std::istringstream stream(line);
  for (std::string field; std::getline(stream, field, '\t');) {
    fields.push_back(field);
  }
  if (!line.empty() && line.back() == '\t') {
    fields.emplace_back();
  }
  return fields;
}

} // namespace

std::filesystem::path vectorsDir() { return ORVELIN_VECTORS_DIR; }

std::string readBytes(const std::filesystem::path &path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  std::string bytes(file ? static_cast<std::size_t>(file.tellg()) : 0, '\0');
  if (!file || !file.seekg(0).read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    throw std::runtime_error("cannot read " + path.string());
  }
  return bytes;
}

void writeBytes(const std::filesystem::path &path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file.flush()) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

std::string fromHex(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

std::string toHex(std::string_view bytes) {
  static constexpr char digits[] = "0123456789abcdef";
  std::string hex;
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    hex.push_back(digits[value >> 4]);
    hex.push_back(digits[value & 0xf]);
  }
  return hex;
}

std::string patterned(std::size_t length) {
  std::string bytes(length, '\0');
  for (std::size_t i = 0; i < length; ++i) {
    bytes[i] = static_cast<char>((i * 7) % 251);
  }
  return bytes;
}

std::vector<TsvRow> readTsv(const std::string &name) {
  std::istringstream lines(readBytes(vectorsDir() / name));
  std::string line;
  std::getline(lines, line);
  const std::vector<std::string> columns = splitTabs(line);
  std::vector<TsvRow> rows;
  while (std::getline(lines, line)) {
    if (line.empty()) {
      continue;
    }
    const std::vector<std::string> fields = splitTabs(line);
    TsvRow row;
    for (std::size_t i = 0; i < columns.size() && i < fields.size(); ++i) {
      row[columns[i]] = fields[i];
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<KnownAnswer> knownAnswers() {
  std::vector<KnownAnswer> answers;
  for (TsvRow &row : readTsv("manifest.tsv")) {
    answers.push_back(
        {row["id"], fromHex(row["password_hex"]), vectorsDir() / row["plain_file"], vectorsDir() / row["cipher_file"]});
  }
  return answers;
}

} // namespace orvelin::testing
