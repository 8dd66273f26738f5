#pragma once
// The two in-place jobs: read the file whole, drive the engine, and put the result in place of the
// file only once it is safely on disk. Every failure has been shown in a box in the job's messages
// by the time it returns false, and the file is then exactly as it was; that includes a job that
// cannot get the memory it needs and one that meets any other exception, which its box names.
// Only an exception from messages or progress themselves goes on to the caller, the file again as
// it was.

#include "base/job_progress.h"
#include "base/message_sink.h"

#include <filesystem>
#include <string_view>

#ifdef _WIN32
// Keeps windows.h, wherever it is included, from renaming the jobs after its own EncryptFile macros.
#include "base/windows_api.h"
#endif

namespace orvelin {

// A job's progress (JobProgress) covers reading, the engine's steps and writing together, each
// weighted by its share of a job's time. It only grows, is told only when it does (a few times per
// MiB at most), and reaches 1 when the job has rewritten the file.

// True when the file at path was rewritten with its encrypted form. The password is the typed text
// in UTF-16; the job wipes every copy it makes of it, and its caller wipes the original.
[[nodiscard]] bool EncryptFile(const std::filesystem::path &path, std::u16string_view password, MessageSink &messages,
                               const JobProgress &progress = {});

// True when the file at path was rewritten with its decrypted content.
[[nodiscard]] bool DecryptFile(const std::filesystem::path &path, std::u16string_view password, MessageSink &messages,
                               const JobProgress &progress = {});

} // namespace orvelin
