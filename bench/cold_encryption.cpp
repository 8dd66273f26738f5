#include "cold_encryption.h"

#include "child_job.h"
#include "cold_cache.h"
#include "generated_file.h"
#include "median.h"
#include "openssl_pipeline.h"
#include "scratch_folder.h"

#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace orvelin::bench {

ColdEncryption coldEncryptionSeconds(const std::string &self, const std::filesystem::path &file,
                                     const std::string &plain, int runs) {
  const ScratchFolder scratch("orvelin-bench-cold");
  const std::filesystem::path output = scratch.path() / "openssl.bin";
  const std::string key = pipelineKey();
  // Each side starts from the plain file just written, on the disk and out of the cache.
  const auto coldPlainFile = [&] {
    writeToDisk(file, plain);
    dropFromCache(file);
    ::sync(); // neither is charged for what other writers left behind
  };
  std::vector<double> job;
  std::vector<double> pipeline;
  for (int run = 0; run < runs; ++run) {
    coldPlainFile();
    const JobRun encrypted = runJobInChild(self, "encrypt", file);
    if (!encrypted.rewritten) {
      throw std::runtime_error("the encryption job failed");
    }
    job.push_back(encrypted.seconds);
    coldPlainFile();
    pipeline.push_back(pipelineSeconds(file, output, key));
  }
  return {median(job), median(pipeline)};
}

} // namespace orvelin::bench
