#include "file_to_read.h"

#include "file_error.h"

namespace orvelin {

FileToRead::~FileToRead() {
  if (file_) {
    os::close(*file_);
  }
  if (place_) {
    os::release(*place_);
  }
}

std::optional<FileToRead> openFileToRead(const std::filesystem::path &path, MessageSink &messages) {
  const auto refuse = [&messages](const std::string &text) {
    reportFileError(messages, text);
    return std::nullopt;
  };
  const auto notRegular = [&path] { return cannot("read", path) + "it is not a regular file."; };
  // A first look, by the path: a device is best not opened at all.
  const std::optional<os::FileFacts> facts = os::factsOf(path);
  if (!facts) {
    return refuse(fileErrorText("read", path, os::lastError()));
  }
  if (!facts->regular) {
    return refuse(notRegular());
  }
  const std::optional<os::Place> place = os::placeOf(path);
  if (!place) {
    return refuse(fileErrorText("read", path, os::lastError()));
  }
  const std::optional<os::Original> original = os::openOriginal(*place);
  if (!original) {
    const os::ErrorCode error = os::lastError();
    os::release(*place);
    return refuse(fileErrorText("read", path, error));
  }
  FileToRead file(*place, *original);
  // What was opened is what counts: something else may have taken the name since the first look.
  if (!original->regular) {
    return refuse(notRegular());
  }
  return file;
}

bool reportReadFault(MessageSink &messages, const std::filesystem::path &path, const ReadFault &fault) {
  return reportFileError(messages, fault.changed ? cannot("read", path) + "it changed while it was being read."
                                                 : fileErrorText("read", path, fault.error));
}

} // namespace orvelin
