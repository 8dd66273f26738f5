#include "file_messages.h"

#include <iostream>
#include <utility>

namespace orvelin::cli {
namespace {

struct Collection {
  const std::string *file = nullptr;
  std::vector<std::string> *lines = nullptr;
};

// The jobs show their boxes on the threads that run them, one file per thread at a time.
thread_local Collection collection;

void collect(const std::string &text, const std::string & /*title*/, MessageStyle /*style*/) {
  if (collection.lines != nullptr) {
    collection.lines->push_back(*collection.file + ": " + text);
  } else {
    std::cerr << text << std::endl;
  }
}

} // namespace

FileMessages::FileMessages() : previous_(setMessagePresenter(collect)) {}

FileMessages::~FileMessages() { setMessagePresenter(std::move(previous_)); }

CollectedHere::CollectedHere(const std::string &file, std::vector<std::string> &lines) { collection = {&file, &lines}; }

CollectedHere::~CollectedHere() { collection = {}; }

} // namespace orvelin::cli
