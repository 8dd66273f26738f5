#include "cli_run.h"

#include <chrono>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <utility>

namespace orvelin::bench {

double processSeconds(std::vector<std::string> words, const std::string &failure) {
  std::vector<char *> argv;
  argv.reserve(words.size() + 1);
  for (std::string &word : words) {
    argv.push_back(word.data());
  }
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  int status = 0;
  if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
      ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error(failure);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double cliSeconds(const std::string &cli, const char *command, const std::filesystem::path &passwordFile,
                  const std::vector<std::filesystem::path> &files) {
  std::vector<std::string> words{cli, command, "--quiet", "--password-file", passwordFile.string()};
  for (const std::filesystem::path &file : files) {
    words.push_back(file.string());
  }
  return processSeconds(std::move(words), std::string("orvelin-cli failed to ") + command);
}

} // namespace orvelin::bench
