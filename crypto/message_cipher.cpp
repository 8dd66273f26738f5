// Whole-buffer encryption and decryption with the session key: one complete message each time,
// handed to the service a slice at a time, the key carrying the cipher's chain from one call to the
// next and the last call completing the message (padding added or checked and taken off).

#include "base/large_buffer.h"
#include "clsCrypto.h"
#include "service_calls.h"

#include <algorithm>
#include <cstdint>

namespace orvelin {
namespace {

// A ciphertext this long could not be doubled in the signed 32-bit working length.
constexpr std::uint64_t largestCipherLength = (std::uint64_t{1} << 30) - 1;

// Room for capacity bytes that stays on the heap however short the message: the bytes of a string
// short enough to be kept inside the object itself would move with it, away from the slices handed
// over, when the result is moved to OutBuffer before the sink is done with them.
std::string roomThatStays(std::size_t capacity) {
  return reservedBuffer(std::max(capacity, std::string().capacity() + 1));
}

void handOver(SliceSink *output, const std::string &buffer, std::size_t offset, std::size_t length) {
  if (output != nullptr) {
    output->take(std::string_view(buffer).substr(offset, length));
  }
}

} // namespace

bool clsCrypto::EncryptMessageData() { return encryptMessage(false); }

bool clsCrypto::encryptMessage(bool inPlace) {
  constexpr const char *suffix = " during CryptEncrypt!";
  waitForInput(InBuffer_.size());
  if (!fitsServiceLength(InBuffer_, suffix)) {
    return false;
  }
  const ServiceCalls &calls = serviceCalls();
  const auto inputLength = static_cast<DWORD>(InBuffer_.size());
  DWORD dataLength = inputLength;
  // Its result is deliberately not tested: a failed query leaves the length as it was.
  calls.CryptEncrypt(SessionKeyHandle_, 0, TRUE, 0, nullptr, &dataLength, 0);
  if (dataLength > largestCipherLength) {
    return reportFailure(ERROR_NOT_ENOUGH_MEMORY, suffix);
  }
  // Room for twice the reported size, but never more than the cipher can use.
  const std::uint64_t workingLength =
      std::min(std::uint64_t{dataLength} * 2, std::uint64_t{inputLength} + paddingGrowth);
  std::string working;
  if (inPlace) {
    // Within the room the caller left: no copy, and no fresh memory to fault in.
    working = std::move(InBuffer_);
    InBuffer_.clear();
  } else {
    // The input, then zeros for the cipher's growth: one pass over the bytes, not a fill and a copy.
    working = roomThatStays(workingLength);
    working.assign(InBuffer_, 0, workingLength);
  }
  working.resize(workingLength);
  const ReleasedAtEnd released(OutputSlices_);
  auto *data = reinterpret_cast<BYTE *>(working.data());
  const std::optional<std::size_t> cipherLength =
      throughSlices(Work::Encrypting, inputLength, [&](std::size_t offset, DWORD &length, BOOL last) {
        // Only the last slice grows, into the room behind it; none may go past the working buffer.
        const std::uint64_t room = workingLength - offset;
        const auto bufferLength = static_cast<DWORD>(last ? room : std::min<std::uint64_t>(room, length));
        if (!calls.CryptEncrypt(SessionKeyHandle_, 0, last, 0, data + offset, &length, bufferLength)) {
          return FALSE;
        }
        handOver(OutputSlices_, working, offset, length);
        return TRUE;
      });
  if (!cipherLength) {
    return reportServiceFailure(suffix);
  }
  working.resize(*cipherLength);
  OutBuffer_ = std::move(working);
  return true;
}

bool clsCrypto::DecryptMessageData() { return decryptMessage(OutputSlices_, true); }

bool clsCrypto::decryptMessage(SliceSink *output, bool releaseOnSuccess) {
  constexpr const char *suffix = " during CryptDecrypt!";
  if (!fitsServiceLength(InBuffer_, suffix)) {
    return false;
  }
  const ServiceCalls &calls = serviceCalls();
  // Copied a slice at a time, each once it is there, into room that never moves.
  std::string working = roomThatStays(InBuffer_.size());
  ReleasedAtEnd released(output);
  const std::optional<std::size_t> plainLength =
      throughSlices(Work::Decrypting, InBuffer_.size(), [&](std::size_t offset, DWORD &length, BOOL last) {
        waitForInput(offset + length);
        working.append(InBuffer_, offset, length);
        if (!calls.CryptDecrypt(SessionKeyHandle_, 0, last, 0, reinterpret_cast<BYTE *>(working.data()) + offset,
                                &length)) {
          return FALSE;
        }
        handOver(output, working, offset, length);
        return TRUE;
      });
  if (!plainLength) {
    return reportServiceFailure(suffix);
  }
  working.resize(*plainLength);
  OutBuffer_ = std::move(working); // the bytes stay where they are
  if (!releaseOnSuccess) {
    released.handOn();
  }
  return true;
}

} // namespace orvelin
