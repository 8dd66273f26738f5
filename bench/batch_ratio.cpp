#include "batch_ratio.h"

#include "child_job.h"
#include "cli_run.h"
#include "generated_file.h"
#include "scratch_folder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace orvelin::bench {
namespace {

constexpr std::size_t mebibyte = std::size_t{1} << 20;

} // namespace

double batchRatio(const std::string &cli, std::size_t sizeMiB, std::size_t files) {
  const ScratchFolder scratch("orvelin-bench-batch");
  const std::filesystem::path &folder = scratch.path();
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
  return alone / together;
}

} // namespace orvelin::bench
