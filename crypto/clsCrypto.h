#pragma once
// The crypto engine: the one object through which the program uses the cryptographic service.
// A caller sets Password and InBuffer, calls operations in a fixed order, each only when the one
// before returned true, and reads OutBuffer. Every failure has been shown in a message box by the
// time an operation returns false, in the sink the engine was made with.

#include "base/message_sink.h"
#include "base/progress.h"
#include "cryptoapi.h"
#include "slice_sink.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orvelin {

class clsCrypto {
public:
  // Acquires the service context, reporting a failure to do so; every box goes to messages, which
  // must outlive the engine.
  explicit clsCrypto(MessageSink &messages);
  ~clsCrypto(); // releases the context; a session key still held goes with it
  clsCrypto(const clsCrypto &) = delete;
  clsCrypto &operator=(const clsCrypto &) = delete;

  // What EncryptFileData puts before the content: the digest's length as two digits, and the digest.
  // Content handed over in a buffer with this much room to spare is sealed where it lies.
  static constexpr std::size_t sealHeaderSize = 18;
  // The most a block cipher adds in completing a message: one block.
  static constexpr std::size_t paddingGrowth = 8;
  // Content handed over with this much room to spare is sealed and enciphered where it lies, with no
  // second buffer of its size: InBuffer is then left empty and OutBuffer has its memory.
  static constexpr std::size_t inPlaceEncryptionRoom = sealHeaderSize + paddingGrowth;

  // Bytes handed to the service in one call: long buffers go through a slice at a time, so that the
  // work can report its progress. A whole number of cipher blocks; a slice of RC2 encryption, the
  // slowest work, takes a few hundredths of a second, and a call costs nothing next to it.
  static constexpr std::size_t sliceSize = std::size_t{1} << 20;

  // Optional: HashFile, EncryptMessageData and DecryptMessageData report to it once per slice, from
  // the thread that called them. Without it they report nothing.
  void Progress(ProgressReport value) { Progress_ = std::move(value); }

  // Optional, for InBuffer handed over at its final size while another thread still fills it, in
  // order: asked to return once InBuffer[0, end) holds its bytes (and, for end at its size, once the
  // filling is known to be complete). HashFile and DecryptMessageData ask before each slice they
  // read; once all of InBuffer is there the engine asks no more. It may throw (the filling failed),
  // which stops the operation and goes on to its caller.
  using InputWait = std::function<void(std::size_t end)>;
  void InputFilled(InputWait value) { InputFilled_ = std::move(value); }

  // Optional: EncryptMessageData hands it its ciphertext, DecryptMessageData its plaintext and
  // DecryptFileData only the content (the seal cut off), a slice at a time, from the thread that
  // called them. The sink must outlive the operations. What it was handed is the result only once
  // the operation has returned true.
  void OutputSlices(SliceSink *value) { OutputSlices_ = value; }

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
  // The digest did not match, or the payload was not one at all.
  bool reportCorruption();
  // Reports the failure of the service call named by suffix with the thread's last-error code.
  bool reportServiceFailure(const char *suffix);
  bool reportFailure(DWORD code, const char *suffix);
  // The service counts bytes in a signed 32-bit length; false, reported, when a buffer is longer.
  bool fitsServiceLength(const std::string &buffer, const char *suffix);
  // Hands [0, length) of a buffer to call a slice at a time, in order, each call told its offset,
  // its length (which it may change, as the service does) and whether it is the last; an empty
  // buffer is one empty last slice. Reports work after each slice and stops at the first call that
  // fails, with the service's last error as it left it. The length of the result: the slices before
  // the last one, and what the last call left in its length.
  using SliceCall = std::function<BOOL(std::size_t offset, DWORD &length, BOOL last)>;
  std::optional<std::size_t> throughSlices(Work work, std::size_t length, const SliceCall &call);
  // Returns once InBuffer[0, end) is there (see InputFilled).
  void waitForInput(std::size_t end);
  // EncryptMessageData, in InBuffer itself when inPlace (which must have room for the padding).
  bool encryptMessage(bool inPlace);
  // DecryptMessageData. Once it has succeeded, output is released only when releaseOnSuccess says so;
  // otherwise the caller must release it before it moves the plaintext.
  bool decryptMessage(SliceSink *output, bool releaseOnSuccess);

  MessageSink &Messages_;
  std::string Password_;
  std::string InBuffer_;
  std::string OutBuffer_;
  std::string ErrorMsg_;
  HCRYPTPROV ProviderHandle_ = 0;
  HCRYPTKEY SessionKeyHandle_ = 0;
  std::string HashValue_;
  std::int16_t HashLength_ = 0;
  ProgressReport Progress_;
  InputWait InputFilled_;
  SliceSink *OutputSlices_ = nullptr;
};

} // namespace orvelin
