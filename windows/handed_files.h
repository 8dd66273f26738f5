#pragma once
// The files the program is started with, as a file manager hands them over (most start the program
// once per file): the main window opens on the first, and each further one gets a run of the
// program, and so a window, of its own.

#include "base/message_sink.h"

#include <functional>
#include <string>
#include <vector>

namespace orvelin {

// Starts another run of this program on file; false if none could be started.
using ProgramStarter = std::function<bool(const std::u16string &file)>;

// The file for this run's main window, empty if none was handed over. A further file that no run
// could be started for is said in a box.
[[nodiscard]] std::u16string fileForThisRun(const std::vector<std::u16string> &files, const ProgramStarter &startFor,
                                            MessageSink &messages);

} // namespace orvelin
