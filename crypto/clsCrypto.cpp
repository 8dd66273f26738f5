#include "clsCrypto.h"

#include "base/message_sink.h"
#include "base/secure_wipe.h"
#include "service_calls.h"

#include <algorithm>
#include <limits>

namespace orvelin {
namespace {

constexpr const char *engineTitle = "Lumo Crypto";

std::string signedDecimal(DWORD code) { return std::to_string(static_cast<std::int32_t>(code)); }

} // namespace

clsCrypto::clsCrypto(MessageSink &messages) : Messages_(messages) {
  if (!InitCryptoContext()) {
    ErrorMsg_ = "Unable to initialize CryptoAPI.";
    Messages_.show(ErrorMsg_, engineTitle, MessageStyle::Plain);
  }
}

clsCrypto::~clsCrypto() {
  if (ProviderHandle_ != 0) {
    serviceCalls().CryptReleaseContext(ProviderHandle_, 0);
  }
  wipe(Password_);
}

// Copied into the engine's own buffer, never moved: a moved short string would leave the password
// behind in the caller's.
void clsCrypto::Password(const std::string &value) {
  wipe(Password_);
  Password_ = value;
}

bool clsCrypto::InitCryptoContext() {
  // An empty container name (not a missing one) and the bare provider name.
  static constexpr char container[] = "";
  static constexpr char provider[] = "Microsoft Base Cryptographic Provider v1.0";
  const ServiceCalls &calls = serviceCalls();
  if (calls.CryptAcquireContextA(&ProviderHandle_, container, provider, PROV_RSA_FULL, 0) ||
      calls.CryptAcquireContextA(&ProviderHandle_, container, provider, PROV_RSA_FULL, CRYPT_NEWKEYSET)) {
    return true;
  }
  ErrorMsg_ = "Error creating key container - " + signedDecimal(::GetLastError());
  Messages_.show(ErrorMsg_, engineTitle, MessageStyle::Plain);
  return false;
}

bool clsCrypto::reportServiceFailure(const char *suffix) { return reportFailure(::GetLastError(), suffix); }

bool clsCrypto::reportFailure(DWORD code, const char *suffix) {
  ErrorMsg_ = "Error " + signedDecimal(code) + suffix;
  Messages_.show(ErrorMsg_, engineTitle, MessageStyle::Plain);
  return false;
}

bool clsCrypto::fitsServiceLength(const std::string &buffer, const char *suffix) {
  return buffer.size() <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) ||
         reportFailure(ERROR_NOT_ENOUGH_MEMORY, suffix);
}

std::optional<std::size_t> clsCrypto::throughSlices(Work work, std::size_t length, const SliceCall &call) {
  for (std::size_t offset = 0;;) {
    const std::size_t slice = std::min(sliceSize, length - offset);
    const bool last = offset + slice == length;
    auto sliceLength = static_cast<DWORD>(slice);
    if (!call(offset, sliceLength, last ? TRUE : FALSE)) {
      return std::nullopt;
    }
    if (Progress_) {
      Progress_(work, offset + slice, length);
    }
    if (last) {
      return offset + sliceLength;
    }
    offset += slice;
  }
}

void clsCrypto::waitForInput(std::size_t end) {
  if (InputFilled_) {
    InputFilled_(end);
    if (end == InBuffer_.size()) {
      InputFilled_ = {};
    }
  }
}

} // namespace orvelin
