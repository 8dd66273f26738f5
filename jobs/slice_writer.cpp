#include "slice_writer.h"

#include <system_error>

namespace orvelin {

SliceWriter::SliceWriter(ContentReplacement &replacement) : replacement_(replacement) {
  queue_.emplace();
  try {
    thread_ = std::thread([this] { write(); });
  } catch (const std::system_error &) {
    queue_.reset();
  }
}

SliceWriter::~SliceWriter() {
  if (queue_) {
    queue_->stop();
  }
  if (thread_.joinable()) {
    thread_.join();
  }
}

void SliceWriter::append(const std::string &slice) {
  if (!replacement_.append(slice)) {
    throw WriteFault{os::lastError()};
  }
}

void SliceWriter::write() {
  try {
    while (const std::optional<std::string> slice = queue_->take()) {
      append(*slice);
    }
  } catch (...) {
    stopped_ = std::current_exception();
    queue_->stop();
  }
}

void SliceWriter::take(std::string slice) {
  if (!queue_) {
    append(slice);
  } else if (!queue_->give(std::move(slice))) {
    std::rethrow_exception(stopped_);
  }
}

void SliceWriter::finish() {
  if (queue_) {
    queue_->end();
    thread_.join();
  }
  if (stopped_) {
    std::rethrow_exception(stopped_);
  }
}

} // namespace orvelin
