#include "file_jobs.h"

#include "base/secure_wipe.h"
#include "crypto/clsCrypto.h"
#include "crypto/engine_sequences.h"
#include "file_error.h"
#include "file_replacement.h"
#include "file_to_read.h"
#include "job_texts.h"
#include "password_encoding.h"
#include "slice_reader.h"
#include "slice_writer.h"

#include <array>
#include <cstdint>
#include <functional>
#include <new>
#include <span>

namespace orvelin {
namespace {

std::string notEnoughMemory(const char *action, const std::filesystem::path &path) {
  return cannot(action, path) + "there is not enough memory. " + fileUnchanged;
}

// One step of a job, and its weight: its share of the job's time, in percent.
struct Stage {
  Work work;
  int weight;
};
using Stages = std::span<const Stage>;

// Measured on a 256 MiB file: RC2 encryption on one core takes nearly all of an encryption, the
// digest's pass before it little; decryption runs on every core, so there the disk weighs more.
// The last step is the flush of what was written, and the replacement.
constexpr std::array encryptionStages{Stage{Work::Hashing, 6}, Stage{Work::Encrypting, 91}, Stage{Work::Writing, 3}};
constexpr std::array decryptionStages{Stage{Work::Decrypting, 90}, Stage{Work::Writing, 10}};

// Turns the stages' progress in bytes into the job's fraction, passed on only when it grows.
class JobMeter {
public:
  JobMeter(Stages stages, const JobProgress &report) : stages_(stages), report_(report) {}

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

  Stages stages_;
  const JobProgress &report_;
  double told_ = 0;
};

struct JobKind {
  const char *action;
  bool (*engineSteps)(clsCrypto &engine);
  Stages stages;
};

// The engine's steps on the file's content as it is read, a slice at a time, each finished slice
// of the result written to the replacement while the next is worked on. False, with a box shown,
// when a step fails, the file could not be read as it was or the result not written.
bool runEngine(const JobKind &kind, const std::filesystem::path &path, const std::string &passwordBytes,
               FileToRead &input, ContentReplacement &replacement, MessageSink &messages,
               const ProgressReport &progress) {
  clsCrypto engine(messages);
  engine.Password(passwordBytes);
  SliceReader reader(input);
  SliceWriter writer(replacement);
  engine.InputSlices(&reader);
  engine.OutputSlices(&writer);
  engine.Progress(progress);
  try {
    if (!kind.engineSteps(engine)) {
      return false;
    }
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
  std::optional<FileToRead> input = openFileToRead(path, messages);
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
    // The slices are gone by now, so the box has the memory it needs.
    return reportFileError(messages, notEnoughMemory(kind.action, path));
  } catch (...) {
    return reportFileError(messages, cannot(kind.action, path) + currentFaultReason() + ". " + fileUnchanged);
  }
  meter.finished();
  return true;
}

} // namespace

bool EncryptFile(const std::filesystem::path &path, std::u16string_view password, MessageSink &messages,
                 const JobProgress &progress) {
  return runJob({encryptionTexts.action, runEncryption, encryptionStages}, path, password, messages, progress);
}

// Empty content is a result too: an encrypted empty file becomes an empty file again.
bool DecryptFile(const std::filesystem::path &path, std::u16string_view password, MessageSink &messages,
                 const JobProgress &progress) {
  return runJob({decryptionTexts.action, runDecryption, decryptionStages}, path, password, messages, progress);
}

} // namespace orvelin
