// The encrypted-file format: the ciphertext of the sealed payload "16" + MD5(content) + content.
// The digest guards the content against undetected change and against a wrong password that the
// cipher's padding check happened to accept.

#include "base/message_sink.h"
#include "clsCrypto.h"
#include "service_calls.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

namespace orvelin {
namespace {

constexpr std::size_t lengthFieldSize = 2;

// A failed call to the service, met where no result can carry it.
struct ServiceFailure {
  DWORD code;
  const char *suffix;
};

// An MD5 digest fed in pieces, in order: the digest of the pieces is that of the whole.
class Digest {
public:
  // Throws the ServiceFailure of a digest that could not be begun.
  explicit Digest(HCRYPTPROV provider) {
    if (!serviceCalls().CryptCreateHash(provider, CALG_MD5, 0, 0, &hash_)) {
      throw ServiceFailure{::GetLastError(), " during CryptCreateHash!"};
    }
  }
  Digest(const Digest &) = delete;
  Digest &operator=(const Digest &) = delete;
  ~Digest() {
    if (hash_ != 0) {
      serviceCalls().CryptDestroyHash(hash_);
    }
  }

  void add(std::string_view bytes) const {
    if (!serviceCalls().CryptHashData(hash_, reinterpret_cast<const BYTE *>(bytes.data()),
                                      static_cast<DWORD>(bytes.size()), 0)) {
      throw ServiceFailure{::GetLastError(), " during CryptHashData!"};
    }
  }

  // The digest's value; the digest is done with.
  std::string value() {
    constexpr const char *paramSuffix = " during CryptGetHashParam!";
    const ServiceCalls &calls = serviceCalls();
    DWORD hashSize = 0;
    DWORD sizeLength = sizeof hashSize;
    if (!calls.CryptGetHashParam(hash_, HP_HASHSIZE, reinterpret_cast<BYTE *>(&hashSize), &sizeLength, 0)) {
      throw ServiceFailure{::GetLastError(), paramSuffix};
    }
    std::string value(hashSize, '\0');
    DWORD valueLength = hashSize;
    if (!calls.CryptGetHashParam(hash_, HP_HASHVAL, reinterpret_cast<BYTE *>(value.data()), &valueLength, 0)) {
      throw ServiceFailure{::GetLastError(), paramSuffix};
    }
    if (!calls.CryptDestroyHash(std::exchange(hash_, 0))) {
      throw ServiceFailure{::GetLastError(), " during CryptDestroyHash!"};
    }
    value.resize(valueLength);
    return value;
  }

private:
  HCRYPTHASH hash_ = 0;
};

// Takes a deciphered payload's slices, passes on only its content, and digests that content on the
// way. A payload whose length field is not two ASCII digits is foreign: it has no content.
class SealedContent final : public SliceSink {
public:
  SealedContent(HCRYPTPROV provider, SliceSink &next) : digest_(provider), next_(next) {}

  void take(std::string slice) override {
    std::string_view rest = slice;
    while (!rest.empty() && !foreign() && seal_.size() < sealLength()) {
      const std::size_t taken = std::min(rest.size(), sealLength() - seal_.size());
      seal_.append(rest.substr(0, taken));
      rest.remove_prefix(taken);
    }
    if (rest.empty() || foreign()) {
      return;
    }
    digest_.add(rest);
    slice.erase(0, slice.size() - rest.size());
    next_.take(std::move(slice));
  }

  // Once the whole payload has been taken: whether it is sealed by the digest of its content, which
  // becomes digest. A payload that ends inside its stored digest has that much of one, and no content.
  bool matches(std::string &digest) {
    digest = digest_.value();
    return !foreign() && seal_.size() >= lengthFieldSize && seal_.substr(lengthFieldSize) == digest;
  }

private:
  [[nodiscard]] bool foreign() const {
    return seal_.size() >= lengthFieldSize && (!isDigit(seal_[0]) || !isDigit(seal_[1]));
  }
  // The length field, then as many digest bytes as it says; asked only of a payload not foreign.
  [[nodiscard]] std::size_t sealLength() const {
    if (seal_.size() < lengthFieldSize) {
      return lengthFieldSize;
    }
    return lengthFieldSize + static_cast<std::size_t>(seal_[0] - '0') * 10 + static_cast<std::size_t>(seal_[1] - '0');
  }
  static bool isDigit(char c) { return c >= '0' && c <= '9'; }

  Digest digest_;
  SliceSink &next_;
  std::string seal_;
};

} // namespace

bool clsCrypto::reportCorruption() {
  Messages_.show("File has been corrupted since original encryption!", "File Error", MessageStyle::Information);
  OutBuffer_.clear();
  return false;
}

bool clsCrypto::HashFile() {
  try {
    return withInput([this](SliceSource &input) {
      Digest digest(ProviderHandle_);
      std::uint64_t done = 0;
      for (std::string slice = input.next(); !slice.empty(); slice = input.next()) {
        digest.add(slice);
        done += slice.size();
        progress(Work::Hashing, done, input);
      }
      if (done == 0) {
        progress(Work::Hashing, done, input);
      }
      HashValue_ = digest.value();
      HashLength_ = static_cast<std::int16_t>(HashValue_.size());
      return true;
    });
  } catch (const ServiceFailure &failure) {
    return reportFailure(failure.code, failure.suffix);
  }
}

bool clsCrypto::EncryptFileData() {
  const std::string header = std::to_string(HashLength_) + HashValue_;
  if (InputSlices_ == nullptr) {
    // The payload stays in InBuffer, as it always has.
    InBuffer_.insert(0, header);
    return EncryptMessageData();
  }
  return withStreams([&](SliceSource &input, SliceSink &output) {
    return throughCipher(Direction::encipher, input, header, output) || reportServiceFailure(" during CryptEncrypt!");
  });
}

bool clsCrypto::DecryptFileData() {
  std::string digest;
  std::optional<DWORD> decipherFailure;
  bool sealed = false;
  try {
    sealed = withStreams([&](SliceSource &input, SliceSink &output) {
      SealedContent content(ProviderHandle_, output);
      if (!throughCipher(Direction::decipher, input, {}, content)) {
        decipherFailure = ::GetLastError();
        return false;
      }
      return content.matches(digest);
    });
  } catch (const ServiceFailure &failure) {
    return reportFailure(failure.code, failure.suffix);
  }
  if (decipherFailure) {
    return reportFailure(*decipherFailure, " during CryptDecrypt!");
  }
  HashValue_ = digest;
  HashLength_ = static_cast<std::int16_t>(digest.size());
  return sealed || reportCorruption();
}

} // namespace orvelin
