#include "printed_lines.h"

#include "printable_text.h"

#include <cerrno>
#include <iostream>
#include <string>
#include <system_error>

namespace orvelin::cli {
namespace {

bool outputFailed = false;

void write(Stream stream, const std::string &shown) {
  if (stream == Stream::Error) {
    std::cerr << shown << std::flush;
    return;
  }
  errno = 0;
  if (!(std::cout << shown << std::flush) && !outputFailed) {
    const int error = errno;
    outputFailed = true;
    std::cerr << "orvelin-cli: cannot write to standard output"
              << (error != 0 ? ": " + std::generic_category().message(error) : std::string()) << std::endl;
  }
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

bool standardOutputFailed() { return outputFailed; }

} // namespace orvelin::cli
