#pragma once
// The crypto engine: the one object through which the program uses the cryptographic service.
// A caller sets Password and InBuffer, calls operations in a fixed order, each only when the one
// before returned true, and reads OutBuffer. Every failure has been shown in a message box by the
// time an operation returns false.

#include "cryptoapi.h"

#include <cstdint>
#include <string>

namespace orvelin {

class clsCrypto {
public:
  clsCrypto();  // acquires the service context, reporting a failure to do so
  ~clsCrypto(); // releases the context; a session key still held goes with it
  clsCrypto(const clsCrypto &) = delete;
  clsCrypto &operator=(const clsCrypto &) = delete;

  // What EncryptFileData puts before the content: the digest's length as two digits, and the digest.
  // Content handed over in a buffer with this much room to spare is sealed where it lies.
  static constexpr std::size_t sealHeaderSize = 18;

  // Buffers are byte strings: one char per byte, NUL is ordinary data. Readers hand out the engine's
  // own buffer, so that multi-megabyte contents are copied only where the caller wants a copy.
  [[nodiscard]] const std::string &InBuffer() const { return InBuffer_; }
  void InBuffer(std::string value) { InBuffer_ = std::move(value); }
  [[nodiscard]] const std::string &OutBuffer() const { return OutBuffer_; }
  [[nodiscard]] const std::string &ErrorMsg() const { return ErrorMsg_; }
  [[nodiscard]] bool GeneratePasswordKey();
  // The password as the bytes handed to the service (the system's 8-bit code page).
  [[nodiscard]] const std::string &Password() const { return Password_; }
  void Password(const std::string &value);
  [[nodiscard]] bool EncryptMessageData();
  [[nodiscard]] bool DestroySessionKey();
  [[nodiscard]] bool DecryptMessageData();
  [[nodiscard]] bool HashFile();
  [[nodiscard]] bool EncryptFileData();
  [[nodiscard]] bool DecryptFileData();

  [[nodiscard]] HCRYPTPROV ProviderHandle() const { return ProviderHandle_; }
  [[nodiscard]] HCRYPTKEY SessionKeyHandle() const { return SessionKeyHandle_; }
  [[nodiscard]] const std::string &HashValue() const { return HashValue_; }
  [[nodiscard]] std::int16_t HashLength() const { return HashLength_; }

private:
  bool InitCryptoContext();
  // Reports the failure of the service call named by suffix with the thread's last-error code.
  bool reportServiceFailure(const char *suffix);
  bool reportFailure(DWORD code, const char *suffix);
  // The service counts bytes in a signed 32-bit length; false, reported, when a buffer is longer.
  bool fitsServiceLength(const std::string &buffer, const char *suffix);

  std::string Password_;
  std::string InBuffer_;
  std::string OutBuffer_;
  std::string ErrorMsg_;
  HCRYPTPROV ProviderHandle_ = 0;
  HCRYPTKEY SessionKeyHandle_ = 0;
  std::string HashValue_;
  std::int16_t HashLength_ = 0;
};

} // namespace orvelin
