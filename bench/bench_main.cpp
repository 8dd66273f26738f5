// One run on one generated file: OpenSSL's own single-threaded RC2-CBC with MD5 as the baseline,
// then the engine in memory and the file jobs end to end (medians of a few rounds), each as a ratio
// of the baseline's time to its own (above 1 is faster than the baseline), the window's longest
// stall while a job runs under it, orvelin-cli on a batch of files against one call per file, the
// engine's share of each job's time, orvelin-cli against a pipeline of openssl commands writing the
// same bytes, the higher of the two jobs' peaks of resident memory in MiB, and the encryption job
// against that pipeline on the file out of the system's cache. The last ten lines are for scripts.
// A figure whose step failed (for want of disk space, say) is n/a there and in its other
// lines, with the reason on standard error, and the run goes on.
//   orvelin_bench [SIZE_MIB]

#include "base/standard_error_messages.h"
#include "baseline.h"
#include "batch_ratio.h"
#include "child_job.h"
#include "cold_encryption.h"
#include "crypto/clsCrypto.h"
#include "crypto/engine_sequences.h"
#include "figure.h"
#include "generated_file.h"
#include "median.h"
#include "openssl_pipeline.h"
#include "ui_stall.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvelin::bench {
namespace {

constexpr std::size_t mebibyte = std::size_t{1} << 20;
// orvelin-cli on several files at once, against the same files one call each.
constexpr std::size_t batchFiles = 4;
constexpr std::size_t batchFileMiB = 64;
// Runs of orvelin-cli (or the encryption job, on a file out of the cache) and of the openssl pipeline
// each, for their medians.
constexpr int pipelineRuns = 5;
// Rounds of the engine and the file jobs, for their medians: a decryption works on every core, and
// on two cores one run of it differs from the next by as much as a third.
constexpr int timedRuns = 3;
// The most memory a file job is to hold at its peak once the jobs stream the file, whatever its size.
constexpr double peakTargetMiB = 64;

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
  encryptor.InBuffer(plain);
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

void report(const char *name, std::optional<double> seconds, double baseline, std::size_t bytes) {
  if (!seconds) {
    std::printf("%-22s n/a\n", name);
    return;
  }
  std::printf("%-22s %8.3f s  %8.1f MiB/s  ratio %.3f\n", name, *seconds,
              static_cast<double>(bytes) / static_cast<double>(mebibyte) / *seconds, baseline / *seconds);
}

void reportPeak(const char *name, std::optional<double> mebibytes) {
  if (mebibytes) {
    std::printf("%-22s %.1f MiB\n", name, *mebibytes);
  } else {
    std::printf("%-22s n/a\n", name);
  }
}

std::optional<double> ratio(std::optional<double> numerator, std::optional<double> denominator) {
  if (!numerator || !denominator) {
    return std::nullopt;
  }
  return *numerator / *denominator;
}

struct JobTimes {
  JobRun encrypt;
  JobRun decrypt;
};

// Both file jobs on file, each in a process of its own, which must give plain back; else throws,
// saying which failed (a job's own box, on standard error, says why).
JobTimes jobSeconds(const std::string &self, const std::filesystem::path &file, const std::string &plain) {
  const JobRun encrypted = runJobInChild(self, "encrypt", file);
  if (!encrypted.rewritten) {
    throw std::runtime_error("the encryption job failed");
  }
  const JobRun decrypted = runJobInChild(self, "decrypt", file);
  if (!decrypted.rewritten) {
    throw std::runtime_error("the decryption job failed");
  }
  std::ifstream restored(file, std::ios::binary);
  if (std::string(std::istreambuf_iterator<char>(restored), {}) != plain) {
    throw std::runtime_error("the file jobs did not give the content back");
  }
  return {encrypted, decrypted};
}

// The engine's times and the jobs', each job in a process of its own: the medians of timedRuns
// rounds, each round the engine and then both jobs, so that a slow moment of the machine weighs on
// both sides of a share alike; and the jobs' highest peaks of memory, in MiB. A side that fails once
// is not run again and has no figures.
struct Timings {
  std::optional<double> engineEncrypt;
  std::optional<double> engineDecrypt;
  std::optional<double> jobEncrypt;
  std::optional<double> jobDecrypt;
  std::optional<double> encryptPeakMiB;
  std::optional<double> decryptPeakMiB;
};

Timings medianTimings(const std::string &self, const std::filesystem::path &file, const std::string &plain) {
  std::vector<double> engineEncrypt;
  std::vector<double> engineDecrypt;
  std::vector<double> jobEncrypt;
  std::vector<double> jobDecrypt;
  long encryptPeakKiB = 0;
  long decryptPeakKiB = 0;
  bool engineFailed = false;
  bool jobsFailed = false;
  for (int run = 0; run < timedRuns; ++run) {
    if (!engineFailed) {
      const std::optional<EngineTimes> engine = attempt("the engine in memory", [&] { return engineSeconds(plain); });
      engineFailed = !engine;
      if (engine) {
        engineEncrypt.push_back(engine->encrypt);
        engineDecrypt.push_back(engine->decrypt);
      }
    }
    if (!jobsFailed) {
      const std::optional<JobTimes> jobs = attempt("the file jobs", [&] { return jobSeconds(self, file, plain); });
      jobsFailed = !jobs;
      if (jobs) {
        jobEncrypt.push_back(jobs->encrypt.seconds);
        jobDecrypt.push_back(jobs->decrypt.seconds);
        encryptPeakKiB = std::max(encryptPeakKiB, jobs->encrypt.peakResidentKiB);
        decryptPeakKiB = std::max(decryptPeakKiB, jobs->decrypt.peakResidentKiB);
      }
    }
  }
  Timings timings;
  if (!engineFailed) {
    timings.engineEncrypt = median(engineEncrypt);
    timings.engineDecrypt = median(engineDecrypt);
  }
  if (!jobsFailed) {
    timings.jobEncrypt = median(jobEncrypt);
    timings.jobDecrypt = median(jobDecrypt);
    timings.encryptPeakMiB = static_cast<double>(encryptPeakKiB) / 1024;
    timings.decryptPeakMiB = static_cast<double>(decryptPeakKiB) / 1024;
  }
  return timings;
}

int benchmark(std::size_t sizeMiB) {
  const std::size_t size = sizeMiB * mebibyte;
  const std::string plain = generatedBytes(size);
  const double baseline = baselineSeconds(plain);

  const std::string self = std::filesystem::read_symlink("/proc/self/exe");
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "orvelin-bench.bin";
  writeToDisk(file, plain);
  const Timings timings = medianTimings(self, file, plain);
  const std::optional<std::optional<double>> uiStall =
      attempt("the window's stall", [&] { return uiStallMilliseconds(file); });
  const std::optional<ColdEncryption> cold = attempt(
      "the encryption out of the cache", [&] { return coldEncryptionSeconds(self, file, plain, pipelineRuns); });
  std::filesystem::remove(file);

  const std::optional<double> peakMiB = timings.encryptPeakMiB && timings.decryptPeakMiB
                                            ? std::optional(std::max(*timings.encryptPeakMiB, *timings.decryptPeakMiB))
                                            : std::nullopt;
  std::printf("file size              %zu MiB\n", sizeMiB);
  report("baseline (RC2+MD5)", baseline, baseline, size);
  report("engine encryption", timings.engineEncrypt, baseline, size);
  report("engine decryption", timings.engineDecrypt, baseline, size);
  report("job encryption", timings.jobEncrypt, baseline, size);
  report("job decryption", timings.jobDecrypt, baseline, size);
  reportPeak("job encryption peak", timings.encryptPeakMiB);
  reportPeak("job decryption peak", timings.decryptPeakMiB);
  std::printf("memory target          %.1f MiB whatever the size (peak_rss_mib)\n", peakTargetMiB);
  if (cold) {
    std::printf("%-22s job %.3f s, openssl pipeline %.3f s, ratio %.3f\n", "encryption, cold file", cold->job,
                cold->pipeline, cold->pipeline / cold->job);
  } else {
    std::printf("%-22s n/a\n", "encryption, cold file");
  }
  printFigure("engine_encrypt_ratio", ratio(baseline, timings.engineEncrypt));
  printFigure("engine_decrypt_ratio", ratio(baseline, timings.engineDecrypt));
  printFigure("job_encrypt_ratio", ratio(baseline, timings.jobEncrypt));
  if (uiStall && !*uiStall) {
    std::printf("ui_stall_ms unmeasured (built without a display toolkit)\n");
  } else {
    printFigure("ui_stall_ms", uiStall.value_or(std::nullopt), 1);
  }
  printFigure("batch_ratio",
              attempt("the batch", [] { return batchRatio(ORVELIN_CLI_PATH, batchFileMiB, batchFiles); }));
  printFigure("job_encrypt_share", ratio(timings.engineEncrypt, timings.jobEncrypt));
  printFigure("job_decrypt_share", ratio(timings.engineDecrypt, timings.jobDecrypt));
  printFigure("cli_openssl_ratio", attempt("orvelin-cli against the openssl pipeline",
                                           [&] { return cliOpensslRatio(ORVELIN_CLI_PATH, plain, pipelineRuns); }));
  printFigure("peak_rss_mib", peakMiB, 1);
  printFigure("cold_encrypt_ratio", cold ? std::optional(cold->pipeline / cold->job) : std::nullopt);
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
