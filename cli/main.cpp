// orvelin-cli: the file jobs of the window program for scripts, servers without a display and
// many files at once. Every message the window shows in a box becomes one line on standard error.

#include "base/program_start.h"
#include "batch.h"
#include "cli_options.h"
#include "exit_status.h"
#include "file_job.h"
#include "jobs/job_texts.h"
#include "password_source.h"
#include "printed_lines.h"
#include "stop_request.h"
#include "system_facts.h"

#include <cstddef>
#include <exception>
#include <iostream>
#include <optional>

#ifdef _WIN32
#include "base/unicode_text.h"
#include "base/windows_api.h"
#endif

namespace orvelin::cli {
namespace {

int run(const Options &options, std::u16string_view password) {
  const bool encrypting = options.direction == Direction::Encrypt;
  const JobTexts &texts = encrypting ? encryptionTexts : decryptionTexts;
  const BatchJob job = fileJob(options, password);
  bool allRewritten = true;
  std::size_t notDone = 0;
  const auto finished = [&](const FileOutcome &outcome) {
    for (const std::string &line : outcome.messages) {
      printLine(Stream::Error, line);
    }
    if (outcome.stopped) {
      printLine(Stream::Error, outcome.file + ": " + notDoneText(texts));
      ++notDone;
    }
    if (outcome.rewritten && !options.quiet) {
      printLine(Stream::Output, outcome.file + ": " + texts.complete);
    }
    allRewritten = allRewritten && outcome.rewritten;
  };
  // Progress is for a person watching the terminal; a script reading a pipe gets only the lines.
  std::optional<ProgressLines> progress;
  if (!options.quiet && standardErrorRedraws()) {
    progress.emplace(std::cerr, standardErrorColumns());
  }
  const StopHandlers stopHandlers;
  runBatch(options.files, job, machineLimits(), finished, progress ? &*progress : nullptr,
           [] { return stopRequested() != nullptr; });
  if (const StopCause *cause = stopRequested()) {
    printLine(Stream::Error, stoppedText(*cause, texts, notDone, options.files.size()));
    return cause->exitStatus;
  }
  return allRewritten ? 0 : someFileFailed;
}

int runCommandLine(const std::vector<std::string> &arguments) {
  const Parsed parsed = parseCommandLine(arguments);
  if (!parsed.options) {
    printLines(parsed.exitStatus == 0 ? Stream::Output : Stream::Error, parsed.text);
    return parsed.exitStatus;
  }
  // The password is wiped as the outcome goes, once the jobs have let go of their copies.
  const PasswordOutcome outcome = obtainPassword(*parsed.options);
  if (!outcome.password) {
    printLine(Stream::Error, "orvelin-cli: " + outcome.problem);
    return outcome.exitStatus;
  }
  return run(*parsed.options, outcome.password->text());
}

int runProgram(const std::vector<std::string> &arguments) {
  int status = someFileFailed;
  try {
    status = runCommandLine(arguments);
  } catch (const std::exception &error) {
    // Whatever the jobs could not report in their own words (they report too little memory).
    printLine(Stream::Error, std::string("orvelin-cli: ") + error.what());
  }
  // Lines a script was to read are lost: success would tell it otherwise.
  return status == 0 && standardOutputFailed() ? someFileFailed : status;
}

} // namespace
} // namespace orvelin::cli

#ifdef _WIN32
// The wide entry point: file names in any script, not just the ANSI code page's.
int wmain(int argc, wchar_t *argv[]) {
  orvelin::startProgram();
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.push_back(orvelin::utf8Of(std::wstring_view(argv[i])));
  }
  // The lines written are UTF-8; a console shows them as such while the program runs.
  const UINT previousCodePage = GetConsoleOutputCP();
  SetConsoleOutputCP(CP_UTF8);
  const int status = orvelin::cli::runProgram(arguments);
  SetConsoleOutputCP(previousCodePage);
  return status;
}
#else
int main(int argc, char *argv[]) {
  orvelin::startProgram(argv, "orvelin-cli");
  const int status = orvelin::cli::runProgram({argv + 1, argv + argc});
  // Only once everything is wiped and said: a stopped batch ends by its signal.
  if (const orvelin::cli::StopCause *cause = orvelin::cli::stopRequested()) {
    orvelin::cli::endAsRequested(*cause);
  }
  return status;
}
#endif
