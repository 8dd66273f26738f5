#pragma once
// The files the Linux program is started with (`orvelin FILE...`, as a file manager's %f hands them
// over), and another run of the program for each one after the first.

#include <QStringList>

#include <string>
#include <vector>

namespace orvelin {

// The arguments after the program's name, each as a full path; QApplication has taken its own
// options out of them already.
[[nodiscard]] std::vector<std::u16string> handedFiles(const QStringList &arguments);

// Starts this program on file, in a process of its own that outlives this one.
[[nodiscard]] bool startProgramFor(const std::u16string &file);

} // namespace orvelin
