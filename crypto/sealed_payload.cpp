// The encrypted-file format: the ciphertext of the sealed payload "16" + MD5(content) + content.
// The digest guards the content against undetected change and against a wrong password that the
// cipher's padding check happened to accept.

#include "base/message_sink.h"
#include "clsCrypto.h"
#include "service_calls.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace orvelin {
namespace {

constexpr std::size_t lengthFieldSize = 2;

// The payload's leading count of digest bytes: exactly two ASCII digits; anything else is foreign.
std::optional<std::size_t> digestLengthField(std::string_view payload) {
  if (payload.size() < lengthFieldSize) {
    return std::nullopt;
  }
  std::size_t value = 0;
  for (const char digit : payload.substr(0, lengthFieldSize)) {
    if (digit < '0' || digit > '9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<std::size_t>(digit - '0');
  }
  return value;
}

std::size_t startOfContent(std::string_view payload, std::size_t digestLength) {
  return std::min(payload.size(), lengthFieldSize + digestLength);
}

// Passes on only the content of a payload's slices. The first slice holds the whole seal, or is the
// whole payload: every slice but the last is a full one of the engine's, far longer than any seal.
// A payload that is not one has no content to pass on; it is reported once it is all deciphered.
class ContentOnly final : public SliceSink {
public:
  explicit ContentOnly(SliceSink &next) : next_(next) {}

  void take(std::string_view slice) override {
    if (!toCut_) {
      const std::optional<std::size_t> digestLength = digestLengthField(slice);
      toCut_ = digestLength ? startOfContent(slice, *digestLength) : std::string_view::npos;
    }
    const std::size_t cut = std::min(*toCut_, slice.size());
    if (*toCut_ != std::string_view::npos) {
      *toCut_ -= cut;
    }
    next_.take(slice.substr(cut));
  }
  void release() noexcept override { next_.release(); }

private:
  SliceSink &next_;
  std::optional<std::size_t> toCut_;
};

} // namespace

bool clsCrypto::reportCorruption() {
  Messages_.show("File has been corrupted since original encryption!", "File Error", MessageStyle::Information);
  OutBuffer_.clear();
  return false;
}

bool clsCrypto::HashFile() {
  constexpr const char *createSuffix = " during CryptCreateHash!";
  constexpr const char *paramSuffix = " during CryptGetHashParam!";
  const ServiceCalls &calls = serviceCalls();
  HCRYPTHASH hash = 0;
  if (!calls.CryptCreateHash(ProviderHandle_, CALG_MD5, 0, 0, &hash)) {
    return reportServiceFailure(createSuffix);
  }
  if (!fitsServiceLength(InBuffer_, " during CryptHashData!")) {
    return false;
  }
  // MD5 streams: the digest of the slices, fed in order, is that of the whole.
  const auto *data = reinterpret_cast<const BYTE *>(InBuffer_.data());
  if (!throughSlices(Work::Hashing, InBuffer_.size(), [&](std::size_t offset, DWORD &length, BOOL /*last*/) {
        waitForInput(offset + length);
        return calls.CryptHashData(hash, data + offset, length, 0);
      })) {
    return reportServiceFailure(" during CryptHashData!");
  }
  DWORD hashSize = 0;
  DWORD sizeLength = sizeof hashSize;
  if (!calls.CryptGetHashParam(hash, HP_HASHSIZE, reinterpret_cast<BYTE *>(&hashSize), &sizeLength, 0)) {
    return reportServiceFailure(paramSuffix);
  }
  std::string value(hashSize, '\0');
  DWORD valueLength = hashSize;
  if (!calls.CryptGetHashParam(hash, HP_HASHVAL, reinterpret_cast<BYTE *>(value.data()), &valueLength, 0)) {
    return reportServiceFailure(paramSuffix);
  }
  if (!calls.CryptDestroyHash(hash)) {
    return reportServiceFailure(" during CryptDestroyHash!");
  }
  value.resize(valueLength);
  HashValue_ = std::move(value);
  HashLength_ = static_cast<std::int16_t>(valueLength);
  return true;
}

bool clsCrypto::EncryptFileData() {
  waitForInput(InBuffer_.size());
  const std::string header = std::to_string(HashLength_) + HashValue_;
  const bool inPlace = InBuffer_.capacity() >= InBuffer_.size() + header.size() + paddingGrowth;
  if (InBuffer_.capacity() >= InBuffer_.size() + header.size()) {
    // The caller left room: the content moves up in place, with no second copy of it in memory.
    InBuffer_.insert(0, header);
  } else {
    std::string payload;
    payload.reserve(header.size() + InBuffer_.size());
    payload.append(header).append(InBuffer_);
    InBuffer_ = std::move(payload);
  } // The moved-from payload may hold the old content's buffer: let it go before the cipher doubles up.
  return encryptMessage(inPlace);
}

bool clsCrypto::DecryptFileData() {
  std::optional<ContentOnly> content;
  if (OutputSlices_ != nullptr) {
    content.emplace(*OutputSlices_);
  }
  SliceSink *const output = content ? &*content : nullptr;
  if (!decryptMessage(output, false)) {
    return false;
  }
  // The sink may go on with the content's slices while the digest is worked out, until the
  // plaintext is cut or cleared.
  ReleasedAtEnd released(output);
  const std::string_view payload = OutBuffer_;
  const std::optional<std::size_t> digestLength = digestLengthField(payload);
  if (!digestLength) {
    released.now();
    return reportCorruption();
  }
  const std::string_view storedDigest = payload.substr(lengthFieldSize).substr(0, *digestLength);
  const std::size_t contentStart = startOfContent(payload, *digestLength);
  // Reuses InBuffer's room, which the longer ciphertext already took, instead of a third buffer.
  InBuffer_.assign(payload.substr(contentStart));
  if (!HashFile()) {
    return false;
  }
  released.now();
  if (HashValue_ != storedDigest) {
    return reportCorruption();
  }
  OutBuffer_.erase(0, contentStart);
  return true;
}

} // namespace orvelin
