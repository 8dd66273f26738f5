#pragma once
// What the main window's behaviour is given rather than calls itself: the file jobs, the file
// look-up, the file dialog and the message boxes, which each platform has its own, and tests replace.

#include "base/job_progress.h"
#include "base/message_sink.h"
#include "ui/job_runner.h"

#include <functional>
#include <string>
#include <string_view>

namespace orvelin {

class WindowView;

// A job on the path and the password as typed: true when it rewrote the file. By the time it
// returns false, it has shown why in messages.
using FileJob = std::function<bool(const std::u16string &path, const std::u16string &password, MessageSink &messages,
                                   const JobProgress &progress)>;

struct MainWindowServices {
  // The boxes the window shows itself, and that its jobs' boxes end in; it outlives the window.
  MessageSink &messages;
  FileJob encryptFile{};
  FileJob decryptFile{};
  // Whether a folder search for ordinary files finds name: folders and hidden files do not count.
  std::function<bool(const std::u16string &name)> findsFile{};
  // Asks the user for a file to open, modally over owner: its full path, or empty after a cancel.
  std::function<std::u16string(WindowView &owner)> chooseFile{};
  JobRunner runJob{};
};

} // namespace orvelin
