#pragma once
// The progress of the files being rewritten, one line each, redrawn in place at the bottom of the
// terminal: "<file>: 42%  180.5 MiB/s  0:05 left".

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace orvelin::cli {

struct FileProgress {
  std::string file;
  double fraction = 0;     // of the job done, 0 to 1
  std::uint64_t bytes = 0; // the file's size
  double seconds = 0;      // since its job began
};

// One file's line, at most columns - 1 characters wide (a full line would wrap on some terminals,
// and a wrapped line could not be redrawn); the name printable, and when long, without its beginning.
std::string progressLine(const FileProgress &progress, int columns);

class ProgressLines {
public:
  ProgressLines(std::ostream &terminal, int columns) : terminal_(terminal), columns_(columns) {}

  // Replaces the lines drawn last with these (none: takes them away), the cursor left at the end of
  // the last, so that whatever is written next starts where they were.
  void redraw(const std::vector<FileProgress> &files);

private:
  std::ostream &terminal_;
  int columns_;
  std::size_t drawn_ = 0;
};

} // namespace orvelin::cli
