#include "file_jobs.h"

#include "base/secure_wipe.h"
#include "content_reader.h"
#include "crypto/clsCrypto.h"
#include "crypto/engine_sequences.h"
#include "file_error.h"
#include "file_replacement.h"
#include "job_texts.h"
#include "password_encoding.h"
#include "slice_writer.h"
#include "whole_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <new>

namespace orvelin {
namespace {

// The sealed payload adds 18 bytes and the cipher's padding up to 8; the ciphertext must stay
// below 2^30 bytes, the largest the engine's signed 32-bit working length can double.
constexpr std::uint64_t largestPlainFile = (std::uint64_t{1} << 30) - 27;
// The engine counts a file's bytes in a signed 32-bit length.
constexpr std::uint64_t largestEncryptedFile = (std::uint64_t{1} << 31) - 1;
constexpr std::uint64_t mebibyte = std::uint64_t{1} << 20;

std::string tooLargeToEncrypt(const std::filesystem::path &path) {
  return cannot("encrypt", path) + "the file is too large. Files of up to " + std::to_string(largestPlainFile) +
         " bytes can be encrypted.";
}

std::string tooLargeToDecrypt(const std::filesystem::path &path) {
  return cannot("decrypt", path) + "the file is too large. Encrypted files are smaller than " +
         std::to_string(largestEncryptedFile + 1) + " bytes.";
}

// A job holds the file's content and its result at once: about twice the file's size.
std::string notEnoughMemory(const char *action, const std::filesystem::path &path) {
  std::error_code unknown;
  const std::uintmax_t size = std::filesystem::file_size(path, unknown);
  const std::uint64_t needed = unknown ? 0 : (2 * std::uint64_t{size} + mebibyte - 1) / mebibyte;
  return cannot(action, path) + "there is not enough memory; the job needs about " +
         std::to_string(std::max<std::uint64_t>(needed, 1)) + " MiB. " + fileUnchanged;
}

// One step of a job, and its weight: its share of the job's time, in percent.
struct Stage {
  Work work;
  int weight;
};
using Stages = std::array<Stage, 4>;

// Measured on a 256 MiB file: RC2 encryption on one core takes nearly all of an encryption;
// decryption runs on every core, so there the digest and the disk weigh more.
constexpr Stages encryptionStages{{{Work::Reading, 2}, {Work::Hashing, 6}, {Work::Encrypting, 89}, {Work::Writing, 3}}};
constexpr Stages decryptionStages{
    {{Work::Reading, 5}, {Work::Decrypting, 65}, {Work::Hashing, 20}, {Work::Writing, 10}}};

// Turns the stages' progress in bytes into the job's fraction, passed on only when it grows.
class JobMeter {
public:
  JobMeter(const Stages &stages, const JobProgress &report) : stages_(stages), report_(report) {}

  void operator()(Work work, std::uint64_t done, std::uint64_t total) {
    int before = 0;
    for (const Stage &stage : stages_) {
      if (stage.work == work) {
        const double part = total == 0 ? 1 : static_cast<double>(done) / static_cast<double>(total);
        tell((before + stage.weight * part) / 100);
        return;
      }
      before += stage.weight;
    }
  }
  void finished() { tell(1); }

private:
  void tell(double fraction) {
    if (report_ && fraction > told_) {
      told_ = fraction;
      report_(fraction);
    }
  }

  const Stages &stages_;
  const JobProgress &report_;
  double told_ = 0;
};

struct JobKind {
  const char *action;
  std::uint64_t largestSize;
  std::string (*tooLargeText)(const std::filesystem::path &path);
  std::size_t spareRoom; // bytes the engine may grow the content by in place
  bool (*engineSteps)(clsCrypto &engine);
  const Stages &stages;
};

// The engine's steps on the file's content as it is read, each finished slice of the result
// written to the replacement while the next is worked on. False, with a box shown, when a step
// fails, the file could not be read whole or the result not written.
bool runEngine(const JobKind &kind, const std::filesystem::path &path, const std::string &passwordBytes,
               FileToRead &input, ContentReplacement &replacement, MessageSink &messages,
               const ProgressReport &progress) {
  clsCrypto engine(messages);
  engine.Password(passwordBytes);
  const std::size_t size = input.size();
  engine.InBuffer(input.takeBuffer());
  // The engine's own buffer, at its final size, filled in place while the engine waits for it.
  ContentReader reader(input.takeHandle(), const_cast<char *>(engine.InBuffer().data()), size);
  SliceWriter writer(replacement);
  engine.InputFilled([&](std::size_t end) {
    reader.waitFor(end);
    progress(Work::Reading, reader.filled(), size);
  });
  engine.OutputSlices(&writer);
  engine.Progress(progress);
  try {
    if (!kind.engineSteps(engine)) {
      return false;
    }
    reader.finish();
    writer.finish();
  } catch (const ReadFault &fault) {
    return reportReadFault(messages, path, fault);
  } catch (const WriteFault &fault) {
    return replacement.failed(fault.error, messages);
  }
  // Written, though neither flushed nor in place: half the writing's share, whose other half, mostly
  // the flush, fills only once the file is in place.
  progress(Work::Writing, 1, 2);
  return true;
}

// A usable password, a file that may be rewritten and read, and somewhere beside it for the result,
// each refused with its own box; then the engine's steps, and the file replaced once they have all
// succeeded.
bool rewrite(const JobKind &kind, const std::filesystem::path &path, std::u16string_view password,
             MessageSink &messages, const ProgressReport &progress) {
  std::string passwordBytes;
  const WipeOnExit wipePassword(passwordBytes);
  if (!passwordForService(password, passwordBytes, messages) || !checkReplaceable(path, messages)) {
    return false;
  }
  std::optional<FileToRead> input =
      openWholeFile(path, kind.largestSize, kind.tooLargeText(path), kind.spareRoom, messages);
  if (!input) {
    return false;
  }
  ContentReplacement replacement;
  return replacement.begin(path, input->place(), input->stamp(), messages) &&
         runEngine(kind, path, passwordBytes, *input, replacement, messages, progress) && replacement.finish(messages);
}

// Every job, which no exception leaves without its box: each part of it leaves the file as it was
// when it throws, so the box can say so.
bool runJob(const JobKind &kind, const std::filesystem::path &path, std::u16string_view password, MessageSink &messages,
            const JobProgress &progress) {
  JobMeter meter(kind.stages, progress);
  try {
    if (!rewrite(kind, path, password, messages, std::ref(meter))) {
      return false;
    }
  } catch (const std::bad_alloc &) {
    // The buffers are gone by now, so the box has the memory it needs.
    return reportFileError(messages, notEnoughMemory(kind.action, path));
  } catch (...) {
    return reportFileError(messages, cannot(kind.action, path) + currentFaultReason() + ". " + fileUnchanged);
  }
  meter.finished();
  return true;
}

// A file is only ever rewritten with something: an encrypted file is never empty.
bool encryptionSteps(clsCrypto &engine) { return runEncryption(engine) && !engine.OutBuffer().empty(); }

// Empty content is a result too: an encrypted empty file becomes an empty file again.
bool decryptionSteps(clsCrypto &engine) { return runDecryption(engine); }

} // namespace

bool EncryptFile(const std::filesystem::path &path, std::u16string_view password, MessageSink &messages,
                 const JobProgress &progress) {
  return runJob({encryptionTexts.action, largestPlainFile, tooLargeToEncrypt, clsCrypto::inPlaceEncryptionRoom,
                 encryptionSteps, encryptionStages},
                path, password, messages, progress);
}

bool DecryptFile(const std::filesystem::path &path, std::u16string_view password, MessageSink &messages,
                 const JobProgress &progress) {
  return runJob({decryptionTexts.action, largestEncryptedFile, tooLargeToDecrypt, 0, decryptionSteps, decryptionStages},
                path, password, messages, progress);
}

} // namespace orvelin
