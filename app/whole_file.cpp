#include "whole_file.h"

#include "crypto/large_buffer.h"
#include "file_error.h"
#include "file_system_calls.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>

namespace orvelin {
namespace {

QString changedWhileReading(const QString &path) {
  return QStringLiteral("Cannot read \"%1\": it changed while it was being read.").arg(path);
}

// Reads exactly content.size() bytes; false with errno set, or with errno 0 when the file ended early.
bool readExactly(int file, std::string &content) {
  const FileSystemCalls &fs = fileSystem();
  for (std::size_t done = 0; done < content.size();) {
    const ssize_t got = fs.read(file, content.data() + done, content.size() - done);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      if (got == 0) {
        errno = 0;
      }
      return false;
    }
    done += static_cast<std::size_t>(got);
  }
  return true;
}

bool atEnd(int file) {
  char extra = 0;
  return fileSystem().read(file, &extra, 1) == 0;
}

} // namespace

std::optional<std::string> readWholeFile(const QString &path, std::uint64_t largestSize, const QString &tooLargeText,
                                         std::size_t spareRoom) {
  const FileSystemCalls &fs = fileSystem();
  const QByteArray name = QFile::encodeName(path);
  struct stat status {};
  if (fs.stat(name.constData(), &status) != 0) {
    reportFileError(fileErrorText("read", path, errno));
    return std::nullopt;
  }
  if (!S_ISREG(status.st_mode)) {
    reportFileError(QStringLiteral("Cannot read \"%1\": it is not a regular file.").arg(path));
    return std::nullopt;
  }
  if (static_cast<std::uint64_t>(status.st_size) > largestSize) {
    reportFileError(tooLargeText);
    return std::nullopt;
  }
  const int file = fs.open(name.constData(), O_RDONLY | O_CLOEXEC, 0);
  if (file < 0) {
    reportFileError(fileErrorText("read", path, errno));
    return std::nullopt;
  }
  std::string content = reservedBuffer(static_cast<std::size_t>(status.st_size) + spareRoom);
  content.resize(static_cast<std::size_t>(status.st_size));
  const bool whole = readExactly(file, content);
  const int readError = errno;
  // A file that grew since it was measured would lose its tail: refuse it like one that shrank.
  const bool complete = whole && atEnd(file);
  fs.close(file);
  if (!complete) {
    reportFileError(whole || readError == 0 ? changedWhileReading(path) : fileErrorText("read", path, readError));
    return std::nullopt;
  }
  return content;
}

} // namespace orvelin
