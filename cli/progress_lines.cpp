#include "progress_lines.h"

#include "printable_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orvelin::cli {
namespace {

constexpr double mebibyte = 1024.0 * 1024.0;

// Characters, not bytes: a UTF-8 name's continuation bytes take no column of their own.
std::size_t widthOf(const std::string &text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }));
}

// The end of text that fits in width characters, led by "..." when something was cut.
std::string lastCharacters(const std::string &text, std::size_t width) {
  if (widthOf(text) <= width) {
    return text;
  }
  const std::string ellipsis = "...";
  std::size_t start = text.size();
  for (std::size_t kept = 0; start > 0 && kept + ellipsis.size() < width;) {
    --start;
    if ((static_cast<unsigned char>(text[start]) & 0xC0) != 0x80) {
      ++kept;
    }
  }
  return ellipsis.substr(0, std::min(ellipsis.size(), width)) + text.substr(start);
}

} // namespace

std::string progressLine(const FileProgress &progress, int columns) {
  const double fraction = std::clamp(progress.fraction, 0.0, 1.0);
  const double rate =
      progress.seconds > 0 ? fraction * static_cast<double>(progress.bytes) / mebibyte / progress.seconds : 0;
  const auto left = static_cast<long>(fraction > 0 ? std::lround(progress.seconds * (1 - fraction) / fraction) : 0);
  char figures[80];
  (void)std::snprintf(figures, sizeof figures, ": %3d%%  %.1f MiB/s  %ld:%02ld left",
                      static_cast<int>(std::floor(fraction * 100)), rate, left / 60, left % 60);
  const std::size_t room = static_cast<std::size_t>(std::max(columns - 1, 0));
  const std::size_t nameRoom = room > widthOf(figures) ? room - widthOf(figures) : 0;
  return lastCharacters(lastCharacters(printable(progress.file), nameRoom) + figures, room);
}

void ProgressLines::redraw(const std::vector<FileProgress> &files) {
  if (drawn_ == 0 && files.empty()) {
    return;
  }
  // Back to the start of the first line drawn, then everything below it cleared.
  std::string text = "\r";
  if (drawn_ > 1) {
    text.append("\x1b[").append(std::to_string(drawn_ - 1)).append("A");
  }
  if (drawn_ > 0) {
    text += "\x1b[J";
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    text.append(i > 0 ? "\n" : "").append(progressLine(files[i], columns_));
  }
  drawn_ = files.size();
  terminal_ << text << std::flush;
}

} // namespace orvelin::cli
