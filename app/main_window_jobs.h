#pragma once
// The main window's services over this program's own file jobs and look-up, the same for every
// front end: a front end says only how a typed name becomes a path, and how it asks for a file.

#include "main_window_services.h"

#include <filesystem>
#include <functional>
#include <string>

namespace orvelin {

// The path a name typed in the window stands for, in the file system's own terms.
using PathFromText = std::filesystem::path (*)(const std::u16string &text);

// The jobs and the look-up on the paths pathOf makes, the boxes shown in messages; the password goes to the job as it
// was typed, without a copy. The look-up passes over hidden files, as a folder search for ordinary files does.
MainWindowServices mainWindowJobs(MessageSink &messages, PathFromText pathOf,
                                  std::function<std::u16string(WindowView &owner)> chooseFile);

} // namespace orvelin
