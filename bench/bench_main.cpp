// One run on one generated file: OpenSSL's own single-threaded RC2-CBC with MD5 as the baseline,
// then the engine in memory and the file jobs end to end (medians of a few rounds), each as a ratio
// of the baseline's time to its own (above 1 is faster than the baseline), the window's longest
// stall while a job runs under it, orvelin-cli on a batch of files against one call per file, the
// engine's share of each job's time, and orvelin-cli against a pipeline of openssl commands writing
// the same bytes. The last nine lines are for scripts.
//   orvelin_bench [SIZE_MIB]

#include "base/standard_error_messages.h"
#include "baseline.h"
#include "batch_ratio.h"
#include "child_job.h"
#include "crypto/clsCrypto.h"
#include "crypto/engine_sequences.h"
#include "generated_file.h"
#include "median.h"
#include "openssl_pipeline.h"
#include "ui_stall.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace orvelin::bench {
namespace {

constexpr std::size_t mebibyte = std::size_t{1} << 20;
// orvelin-cli on several files at once, against the same files one call each.
constexpr std::size_t batchFiles = 4;
constexpr std::size_t batchFileMiB = 64;
// Runs of orvelin-cli and of the openssl pipeline each, for their medians.
constexpr int pipelineRuns = 5;
// Rounds of the engine and the file jobs, for their medians: a decryption works on every core, and
// on two cores one run of it differs from the next by as much as a third.
constexpr int timedRuns = 3;

template <typename Steps> double secondsOf(Steps steps) {
  const auto start = std::chrono::steady_clock::now();
  if (!steps()) {
    throw std::runtime_error("a measured step failed");
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct EngineTimes {
  double encrypt;
  double decrypt;
};

// The engine in memory. Its buffers are gone when it returns, so that the jobs after it run on
// memory the system has handed out before, as on any machine in use, not on pages touched for the
// first time (which a virtual machine's host must first back, at a cost charged to the job).
EngineTimes engineSeconds(const std::string &plain) {
  StandardErrorMessages messages;
  clsCrypto encryptor(messages);
  encryptor.Password(benchPassword);
  // Fed as the encryption job feeds it: content read into a buffer with room for the seal and padding.
  std::string content;
  content.reserve(plain.size() + clsCrypto::inPlaceEncryptionRoom);
  content.assign(plain);
  encryptor.InBuffer(std::move(content));
  const double encrypt = secondsOf([&] { return runEncryption(encryptor); });
  clsCrypto decryptor(messages);
  decryptor.Password(benchPassword);
  decryptor.InBuffer(encryptor.OutBuffer());
  const double decrypt = secondsOf([&] { return runDecryption(decryptor); });
  if (decryptor.OutBuffer() != plain) {
    throw std::runtime_error("the engine did not give the content back");
  }
  return {encrypt, decrypt};
}

void report(const char *name, double seconds, double baseline, std::size_t bytes) {
  std::printf("%-22s %8.3f s  %8.1f MiB/s  ratio %.3f\n", name, seconds,
              static_cast<double>(bytes) / static_cast<double>(mebibyte) / seconds, baseline / seconds);
}

// The engine's times and the jobs', each job in a process of its own: the medians of timedRuns
// rounds, each round the engine and then both jobs, so that a slow moment of the machine weighs on
// both sides of a share alike; and the jobs' highest peaks of memory.
struct Timings {
  EngineTimes engine;
  JobRun encryptJob;
  JobRun decryptJob;
};

Timings medianTimings(const std::filesystem::path &file, const std::string &plain) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe");
  std::vector<double> engineEncrypt;
  std::vector<double> engineDecrypt;
  std::vector<double> jobEncrypt;
  std::vector<double> jobDecrypt;
  Timings timings{};
  for (int run = 0; run < timedRuns; ++run) {
    const EngineTimes engine = engineSeconds(plain);
    const JobRun encrypted = runJobInChild(self, "encrypt", file);
    const JobRun decrypted = runJobInChild(self, "decrypt", file);
    std::ifstream restored(file, std::ios::binary);
    if (!encrypted.rewritten || !decrypted.rewritten ||
        std::string(std::istreambuf_iterator<char>(restored), {}) != plain) {
      std::filesystem::remove(file);
      throw std::runtime_error("the file jobs did not give the content back");
    }
    engineEncrypt.push_back(engine.encrypt);
    engineDecrypt.push_back(engine.decrypt);
    jobEncrypt.push_back(encrypted.seconds);
    jobDecrypt.push_back(decrypted.seconds);
    timings.encryptJob.peakResidentKiB = std::max(timings.encryptJob.peakResidentKiB, encrypted.peakResidentKiB);
    timings.decryptJob.peakResidentKiB = std::max(timings.decryptJob.peakResidentKiB, decrypted.peakResidentKiB);
  }
  timings.engine = {median(engineEncrypt), median(engineDecrypt)};
  timings.encryptJob.seconds = median(jobEncrypt);
  timings.decryptJob.seconds = median(jobDecrypt);
  return timings;
}

int benchmark(std::size_t sizeMiB) {
  const std::size_t size = sizeMiB * mebibyte;
  const std::string plain = generatedBytes(size);
  const double baseline = baselineSeconds(plain);

  const std::filesystem::path file = std::filesystem::temp_directory_path() / "orvelin-bench.bin";
  writeToDisk(file, plain);
  const Timings timings = medianTimings(file, plain);
  const EngineTimes &engine = timings.engine;
  const JobRun &encryptJob = timings.encryptJob;
  const JobRun &decryptJob = timings.decryptJob;
  const std::optional<double> uiStall = uiStallMilliseconds(file);
  std::filesystem::remove(file);

  const double peakMiB = static_cast<double>(std::max(encryptJob.peakResidentKiB, decryptJob.peakResidentKiB)) / 1024;
  std::printf("file size              %zu MiB\n", sizeMiB);
  report("baseline (RC2+MD5)", baseline, baseline, size);
  report("engine encryption", engine.encrypt, baseline, size);
  report("engine decryption", engine.decrypt, baseline, size);
  report("job encryption", encryptJob.seconds, baseline, size);
  report("job decryption", decryptJob.seconds, baseline, size);
  std::printf("job encryption peak    %.1f MiB\n", static_cast<double>(encryptJob.peakResidentKiB) / 1024);
  std::printf("job decryption peak    %.1f MiB\n", static_cast<double>(decryptJob.peakResidentKiB) / 1024);
  std::printf("memory bound           %.1f MiB (2.1 x size + 32 MiB)\n", 2.1 * static_cast<double>(sizeMiB) + 32);
  std::printf("engine_encrypt_ratio %.3f\n", baseline / engine.encrypt);
  std::printf("engine_decrypt_ratio %.3f\n", baseline / engine.decrypt);
  std::printf("job_encrypt_ratio %.3f\n", baseline / encryptJob.seconds);
  std::printf("peak_rss_ratio %.3f\n", peakMiB / static_cast<double>(sizeMiB));
  if (uiStall) {
    std::printf("ui_stall_ms %.1f\n", *uiStall);
  } else {
    std::printf("ui_stall_ms unmeasured (built without a display toolkit)\n");
  }
  std::printf("batch_ratio %.3f\n", batchRatio(ORVELIN_CLI_PATH, batchFileMiB, batchFiles));
  std::printf("job_encrypt_share %.3f\n", engine.encrypt / encryptJob.seconds);
  std::printf("job_decrypt_share %.3f\n", engine.decrypt / decryptJob.seconds);
  std::printf("cli_openssl_ratio %.3f\n", cliOpensslRatio(ORVELIN_CLI_PATH, plain, pipelineRuns));
  return 0;
}

} // namespace
} // namespace orvelin::bench

int main(int argc, char *argv[]) {
  using namespace orvelin::bench;
  if (argc == 4 && std::string(argv[1]) == "--child") {
    return childJobMain(argv[2], argv[3]);
  }
  try {
    return benchmark(argc > 1 ? std::stoul(argv[1]) : 256);
  } catch (const std::exception &failure) {
    (void)std::fprintf(stderr, "orvelin_bench: %s\n", failure.what());
    return 1;
  }
}
