#pragma once
// The message boxes of the jobs as lines of text, collected per file so that files run at the same
// time never mix their lines: each box shown on a thread goes to the file that thread works on.

#include "base/message_box.h"

#include <string>
#include <vector>

namespace orvelin::cli {

// For as long as it lives, the program's boxes become lines "<file>: <text>" of the file whose job
// the thread showing them runs (see CollectedHere); a box shown elsewhere goes to standard error.
class FileMessages {
public:
  FileMessages();
  FileMessages(const FileMessages &) = delete;
  FileMessages &operator=(const FileMessages &) = delete;
  ~FileMessages();

private:
  MessagePresenter previous_;
};

// For as long as it lives, the boxes shown on the thread that made it are added to lines.
class CollectedHere {
public:
  CollectedHere(const std::string &file, std::vector<std::string> &lines);
  CollectedHere(const CollectedHere &) = delete;
  CollectedHere &operator=(const CollectedHere &) = delete;
  ~CollectedHere();
};

} // namespace orvelin::cli
