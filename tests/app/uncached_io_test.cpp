// Reading and writing past the system's cache: the same bytes as through it, whatever the lengths
// of the pieces and wherever a file system refuses the bypass.

#include "app/file_system_calls.h"
#include "app/system_files.h"
#include "app/uncached_io.h"
#include "job_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#ifdef __linux__
#include <fcntl.h>
#include <unistd.h>
#endif

namespace orvelin::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t staged = StagingBuffer::stagedBytes;

// Pieces of a file's content, as a job hands them over, and as a job asks for them.
struct Pieces {
  const char *name;
  std::vector<std::size_t> lengths; // taken in turn, the last one again until the content is done
};

const Pieces piecesOfEveryShape[] = {
    {"one byte", {1}},
    {"the seal, then engine slices", {18, std::size_t{1} << 20}},
    {"shorter than a block", {4095}},
    {"whole staging buffers", {staged}},
    {"just over a staging buffer", {staged + 1}},
    {"odd lengths", {7, 4096 + 3, 3 * staged - 5}},
};

const std::size_t contentLengths[] = {0, 1, 4096, staged - 1, staged, 3 * staged + 17};

class UncachedFiles : public JobFolder {
protected:
  // Writes content in pieces through UncachedAppends; what the file holds afterwards.
  std::string written(const std::string &content, const Pieces &pieces) {
    const std::optional<os::Place> place = os::placeOf(put("beside.bin", ""));
    std::optional<os::PrivateFile> file = place ? os::createPrivateFile(*place, "written.bin") : std::nullopt;
    EXPECT_TRUE(file);
    if (!file) {
      return {};
    }
    UncachedAppends appends(file->handle);
    for (std::size_t done = 0, turn = 0; done < content.size(); ++turn) {
      const std::size_t length =
          std::min(pieces.lengths[std::min(turn, pieces.lengths.size() - 1)], content.size() - done);
      EXPECT_TRUE(appends.append(std::string_view(content).substr(done, length)));
      done += length;
    }
    EXPECT_TRUE(appends.finish());
    EXPECT_TRUE(os::keepPrivateFile(*place, *file));
    os::close(file->handle);
    os::release(*place);
    std::string result = contentOf(place->folderPath / file->name);
    fs::remove(place->folderPath / file->name);
    return result;
  }

  // Reads the file at path to its end through UncachedReads, asking for pieces of those lengths.
  static std::string read(const fs::path &path, const Pieces &pieces) {
    const std::optional<os::Place> place = os::placeOf(path);
    const std::optional<os::Original> original = place ? os::openOriginal(*place) : std::nullopt;
    EXPECT_TRUE(original);
    if (!original) {
      return {};
    }
    UncachedReads reads(original->handle);
    std::string result;
    for (std::size_t turn = 0;; ++turn) {
      std::string piece(pieces.lengths[std::min(turn, pieces.lengths.size() - 1)], '\0');
      const std::optional<std::size_t> got = reads.readSome(piece.data(), piece.size());
      EXPECT_TRUE(got);
      if (!got || *got == 0) {
        break;
      }
      result.append(piece, 0, *got);
    }
    os::close(original->handle);
    os::release(*place);
    return result;
  }
};

TEST_F(UncachedFiles, WriteAndReadTheSameBytesInPiecesOfAnyLength) {
  for (const std::size_t length : contentLengths) {
    const std::string content = randomBytes(length);
    const fs::path path = put("content.bin", content);
    for (const Pieces &pieces : piecesOfEveryShape) {
      SCOPED_TRACE(::testing::Message() << length << " bytes, " << pieces.name);
      EXPECT_EQ(written(content, pieces), content);
      EXPECT_EQ(read(path, pieces), content);
    }
  }
}

#ifdef __linux__
// The n-th transfer made while the file bypasses the cache fails as a file system that will not
// bypass it there does; every other transfer is the system's own.
int refusedTransfer = 0;
int bypassingTransfers = 0;

bool refusedNow(int file) {
  const int flags = ::fcntl(file, F_GETFL);
  if (flags < 0 || (flags & O_DIRECT) == 0 || ++bypassingTransfers != refusedTransfer) {
    return false;
  }
  errno = EINVAL;
  return true;
}

TEST_F(UncachedFiles, AFileSystemThatRefusesTheBypassPartWayGetsTheSameBytesThroughTheCache) {
  {
    // Where this folder's file system has no bypass at all, there is nothing to refuse.
    const fs::path probe = put("probe.bin", "x");
    const int file = ::open(probe.c_str(), O_RDONLY | O_DIRECT);
    if (file < 0) {
      GTEST_SKIP() << "the file system of " << dir << " does not bypass its cache";
    }
    ::close(file);
  }
  FileSystemCalls refusing = FileSystemCalls::platform();
  refusing.write = [](int file, const void *bytes, size_t count) -> ssize_t {
    return refusedNow(file) ? -1 : ::write(file, bytes, count);
  };
  refusing.read = [](int file, void *buffer, size_t count) -> ssize_t {
    return refusedNow(file) ? -1 : ::read(file, buffer, count);
  };
  const std::string content = randomBytes(3 * staged + 17);
  const fs::path path = put("content.bin", content);
  const Pieces slices{"engine slices", {std::size_t{1} << 20}};
  for (const int refused : {1, 2, 3}) {
    SCOPED_TRACE(::testing::Message() << "transfer " << refused << " refused");
    const ScopedFileSystemCalls scope(refusing);
    refusedTransfer = refused;
    bypassingTransfers = 0;
    EXPECT_EQ(written(content, slices), content);
    EXPECT_GE(bypassingTransfers, refused);
    bypassingTransfers = 0;
    EXPECT_EQ(read(path, slices), content);
    EXPECT_GE(bypassingTransfers, refused);
  }
}
#endif

} // namespace
} // namespace orvelin::testing
