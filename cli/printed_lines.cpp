#include "printed_lines.h"

#include "printable_text.h"

#include <iostream>
#include <string>

namespace orvelin::cli {
namespace {

void write(Stream stream, const std::string &shown) {
  (stream == Stream::Output ? std::cout : std::cerr) << shown << std::flush;
}

} // namespace

void printLine(Stream stream, std::string_view line) { write(stream, printable(line) + "\n"); }

void printLines(Stream stream, std::string_view lines) {
  std::string shown;
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n');
    shown += printable(lines.substr(0, end));
    if (end == std::string_view::npos) {
      break;
    }
    shown += '\n';
    lines.remove_prefix(end + 1);
  }
  write(stream, shown);
}

} // namespace orvelin::cli
