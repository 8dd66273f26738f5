#pragma once
// The files orvelin.exe is started with (Explorer's verb, a file dropped onto the program, or a
// command line), and another run of the program for each one after the first.

#include <string>
#include <vector>

namespace orvelin::win32 {

// The arguments after the program's name, each as a full path, however long.
[[nodiscard]] std::vector<std::u16string> handedFiles();

// Starts this program on file, in a process of its own.
[[nodiscard]] bool startProgramFor(const std::u16string &file);

} // namespace orvelin::win32
