#include "batch_ratio.h"

#include "child_job.h"
#include "generated_file.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <vector>

namespace orvelin::bench {
namespace {

constexpr std::size_t mebibyte = std::size_t{1} << 20;

// Seconds for one orvelin-cli call on these files, which must all be rewritten.
double cliSeconds(const std::string &cli, const char *command, const std::filesystem::path &password,
                  const std::vector<std::filesystem::path> &files) {
  std::vector<std::string> words{cli, command, "--quiet", "--password-file", password.string()};
  for (const std::filesystem::path &file : files) {
    words.push_back(file.string());
  }
  std::vector<char *> argv;
  argv.reserve(words.size() + 1);
  for (std::string &word : words) {
    argv.push_back(word.data());
  }
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  int status = 0;
  if (::posix_spawn(&child, cli.c_str(), nullptr, nullptr, argv.data(), environ) != 0 ||
      ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error(std::string("orvelin-cli failed to ") + command);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

double batchRatio(const std::string &cli, std::size_t sizeMiB, std::size_t files) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orvelin-bench-batch";
  std::filesystem::create_directories(folder);
  const std::filesystem::path password = folder / "password.txt";
  std::ofstream(password) << benchPassword << '\n';
  const std::string plain = generatedBytes(sizeMiB * mebibyte);
  std::vector<std::filesystem::path> paths;
  for (std::size_t i = 0; i < files; ++i) {
    paths.push_back(folder / ("file-" + std::to_string(i) + ".bin"));
    writeToDisk(paths.back(), plain);
  }

  double alone = 0;
  for (const std::filesystem::path &path : paths) {
    alone += cliSeconds(cli, "encrypt", password, {path});
  }
  cliSeconds(cli, "decrypt", password, paths);
  const double together = cliSeconds(cli, "encrypt", password, paths);
  cliSeconds(cli, "decrypt", password, paths);
  for (const std::filesystem::path &path : paths) {
    std::ifstream restored(path, std::ios::binary);
    if (std::string(std::istreambuf_iterator<char>(restored), {}) != plain) {
      throw std::runtime_error("the batch did not give the content back");
    }
  }
  std::filesystem::remove_all(folder);
  return alone / together;
}

} // namespace orvelin::bench
