// Whole-buffer encryption and decryption with the session key: one complete message per call.

#include "clsCrypto.h"
#include "large_buffer.h"
#include "service_calls.h"

#include <algorithm>
#include <cstdint>

namespace orvelin {
namespace {

// A ciphertext this long could not be doubled in the signed 32-bit working length.
constexpr std::uint64_t largestCipherLength = (std::uint64_t{1} << 30) - 1;
// A block cipher completing a message adds at most one block.
constexpr std::uint64_t largestGrowth = 8;

} // namespace

bool clsCrypto::EncryptMessageData() {
  constexpr const char *suffix = " during CryptEncrypt!";
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
      std::min(std::uint64_t{dataLength} * 2, std::uint64_t{inputLength} + largestGrowth);
  // The input, then zeros for the cipher's growth: one pass over the bytes, not a fill and a copy.
  std::string working = reservedBuffer(workingLength);
  working.assign(InBuffer_, 0, workingLength);
  working.resize(workingLength);
  dataLength = inputLength;
  if (!calls.CryptEncrypt(SessionKeyHandle_, 0, TRUE, 0, reinterpret_cast<BYTE *>(working.data()), &dataLength,
                          static_cast<DWORD>(workingLength))) {
    return reportServiceFailure(suffix);
  }
  working.resize(dataLength);
  OutBuffer_ = std::move(working);
  return true;
}

bool clsCrypto::DecryptMessageData() {
  constexpr const char *suffix = " during CryptDecrypt!";
  if (!fitsServiceLength(InBuffer_, suffix)) {
    return false;
  }
  std::string working = InBuffer_;
  auto dataLength = static_cast<DWORD>(working.size());
  if (!serviceCalls().CryptDecrypt(SessionKeyHandle_, 0, TRUE, 0, reinterpret_cast<BYTE *>(working.data()),
                                   &dataLength)) {
    return reportServiceFailure(suffix);
  }
  working.resize(dataLength);
  OutBuffer_ = std::move(working);
  return true;
}

} // namespace orvelin
