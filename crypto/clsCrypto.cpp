#include "clsCrypto.h"

#include "base/message_sink.h"
#include "base/secure_wipe.h"
#include "buffer_slices.h"
#include "service_calls.h"

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

bool clsCrypto::withInput(const InputRun &run) {
  BufferSlices whole(InBuffer_);
  SliceSource &input = InputSlices_ != nullptr ? *InputSlices_ : whole;
  input.restart();
  return run(input);
}

bool clsCrypto::withStreams(const StreamRun &run) {
  if (OutputSlices_ != nullptr) {
    return withInput([&](SliceSource &input) { return run(input, *OutputSlices_); });
  }
  std::string result;
  AppendedTo appended(result);
  if (!withInput([&](SliceSource &input) { return run(input, appended); })) {
    return false;
  }
  OutBuffer_ = std::move(result);
  return true;
}

void clsCrypto::progress(Work work, std::uint64_t done, const SliceSource &input) const {
  if (Progress_) {
    Progress_(work, done, input.size());
  }
}

} // namespace orvelin
