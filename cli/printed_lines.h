#pragma once
// orvelin-cli's lines on standard output and standard error, printable (printable_text.h), each
// flushed at once so that it is whole where it goes before the next is made.

#include <string_view>

namespace orvelin::cli {

enum class Stream { Output, Error };

// One line, a line feed in it escaped like any control character, then ended.
void printLine(Stream stream, std::string_view line);

// The program's own text of several lines (help, usage), each ending in '\n' but perhaps the last.
void printLines(Stream stream, std::string_view lines);

// True once standard output could not be written (a full disk, /dev/full, a closed pipe). The first
// failure was said on standard error; what was to follow it there is lost.
bool standardOutputFailed();

} // namespace orvelin::cli
