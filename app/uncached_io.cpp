#include "uncached_io.h"

#include "cache_control.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace orvelin {
namespace {

// Long writes go in pieces, so a full disk is met part-way through like on any large file.
constexpr std::size_t writePiece = std::size_t{1} << 20;
// How far behind the newest bytes the cache of the written ones is given back: far enough that
// their writeback, started as they were written, has had time to end.
constexpr std::uint64_t releaseLag = std::uint64_t{8} << 20;
// How often bytes written past the cache are flushed while the rest is produced.
constexpr std::uint64_t flushInterval = std::uint64_t{32} << 20;

// How many of bytes it wrote: all of them, or those before a write failed.
std::size_t writeAsMuch(os::FileHandle file, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::optional<std::size_t> wrote =
        os::writeSome(file, bytes.data() + done, std::min(bytes.size() - done, writePiece));
    if (!wrote) {
      break;
    }
    done += *wrote;
  }
  return done;
}

} // namespace

StagingBuffer::StagingBuffer() : room_(stagedBytes + os::uncachedAlignment, '\0') {
  void *start = room_.data();
  std::size_t space = room_.size();
  data_ = static_cast<char *>(std::align(os::uncachedAlignment, stagedBytes, start, space));
}

UncachedReads::UncachedReads(os::FileHandle file) : file_(file) {
  if (os::bypassCache(file, true)) {
    staging_.emplace();
  }
}

std::optional<std::size_t> UncachedReads::readSome(char *buffer, std::size_t count) {
  if (staging_ && next_ == end_) {
    const std::optional<std::size_t> got = os::readSome(file_, staging_->data(), StagingBuffer::stagedBytes);
    if (got) {
      next_ = 0;
      end_ = *got;
    } else if (os::stopBypassingOver(file_, os::lastError())) {
      staging_.reset();
    } else {
      return std::nullopt;
    }
  }
  if (!staging_) {
    return os::readSome(file_, buffer, count);
  }
  const std::size_t handed = std::min(count, end_ - next_);
  std::memcpy(buffer, staging_->data() + next_, handed);
  next_ += handed;
  return handed;
}

UncachedAppends::UncachedAppends(os::FileHandle file) : file_(file) {
  if (os::bypassCache(file, true)) {
    staging_.emplace();
  }
}

bool UncachedAppends::append(std::string_view bytes) {
  while (staging_ && !bytes.empty()) {
    const std::size_t taken = std::min(bytes.size(), StagingBuffer::stagedBytes - staged_);
    std::memcpy(staging_->data() + staged_, bytes.data(), taken);
    staged_ += taken;
    bytes.remove_prefix(taken);
    if (staged_ == StagingBuffer::stagedBytes && !writeStaged(staged_)) {
      return false;
    }
  }
  return bytes.empty() || writeCached(bytes);
}

bool UncachedAppends::finish() {
  // The whole blocks past the cache, then the end of the file, of any length, through it.
  const std::size_t wholeBlocks = staged_ / os::uncachedAlignment * os::uncachedAlignment;
  if (staging_ && wholeBlocks > 0 && !writeStaged(wholeBlocks)) {
    return false;
  }
  if (!staging_) {
    return true;
  }
  const std::string_view rest(staging_->data(), staged_);
  staged_ = 0;
  return os::bypassCache(file_, false) && writeCached(rest);
}

// Writes the first length staged bytes; those after them move to the front.
bool UncachedAppends::writeStaged(std::size_t length) {
  const std::size_t wrote = writeAsMuch(file_, std::string_view(staging_->data(), length));
  written_ += wrote;
  if (wrote == length) {
    if (written_ >= flushed_ + flushInterval) {
      if (!os::flushWritten(file_)) {
        return false;
      }
      flushed_ = written_;
    }
    std::memmove(staging_->data(), staging_->data() + length, staged_ - length);
    staged_ -= length;
    return true;
  }
  if (!os::stopBypassingOver(file_, os::lastError())) {
    return false;
  }
  // Through the cache from where the bypass was refused, with everything staged after it.
  const std::string unwritten(staging_->data() + wrote, staged_ - wrote);
  staging_.reset();
  staged_ = 0;
  return writeCached(unwritten);
}

bool UncachedAppends::writeCached(std::string_view bytes) {
  if (writeAsMuch(file_, bytes) < bytes.size() || !os::startWriteback(file_, written_, bytes.size())) {
    return false;
  }
  written_ += bytes.size();
  if (written_ >= released_ + 2 * releaseLag) {
    if (!os::releaseWritten(file_, released_, written_ - releaseLag - released_)) {
      return false;
    }
    released_ = written_ - releaseLag;
  }
  return true;
}

} // namespace orvelin
