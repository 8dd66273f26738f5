#pragma once
// The crypto engine: the one object through which the program uses the cryptographic service.
// A caller sets Password and InBuffer, calls operations in a fixed order, each only when the one
// before returned true, and reads OutBuffer. Every failure has been shown in a message box by the
// time an operation returns false, in the sink the engine was made with.

#include "base/message_sink.h"
#include "base/progress.h"
#include "cryptoapi.h"
#include "slice_stream.h"

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
  static constexpr std::size_t sealHeaderSize = 18;
  // The most a block cipher adds in completing a message: one block.
  static constexpr std::size_t paddingGrowth = 8;

  // Bytes handed to the service in one call, and the slices InBuffer is read in: a whole number of
  // cipher blocks. A slice of RC2 encryption, the slowest work, takes a few hundredths of a second,
  // and a call costs nothing next to it.
  static constexpr std::size_t sliceSize = std::size_t{1} << 20;

  // Optional: the operations report to it once per slice, from the thread that called them. Without
  // it they report nothing.
  void Progress(ProgressReport value) { Progress_ = std::move(value); }

  // Optional: where every operation takes its input, a slice at a time from its first byte, instead
  // of InBuffer, which is then left as it is. The source must outlive the operations.
  void InputSlices(SliceSource *value) { InputSlices_ = value; }

  // Optional: where the four cipher operations hand their result, a slice at a time, instead of
  // OutBuffer, which is then left as it is (DecryptFileData hands on only the content, and clears
  // OutBuffer only when the seal does not match). The sink must outlive the operations.
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
  // Enciphers, or deciphers, one message: lead, then the input's slices, each call to the service
  // a whole number of blocks (what is left over goes on with the next slice) and the last one
  // completing the message; each result goes to output. False, with the service's last error as it
  // left it, at the first call that fails.
  enum class Direction { encipher, decipher };
  bool throughCipher(Direction direction, SliceSource &input, std::string lead, SliceSink &output);
  // Runs an operation on its input (InputSlices, or InBuffer), restarted.
  using InputRun = std::function<bool(SliceSource &input)>;
  bool withInput(const InputRun &run);
  // The same with its output too (OutputSlices, or OutBuffer, which takes the result only when run
  // returns true).
  using StreamRun = std::function<bool(SliceSource &input, SliceSink &output)>;
  bool withStreams(const StreamRun &run);
  // Reports work's progress, done of the input's size.
  void progress(Work work, std::uint64_t done, const SliceSource &input) const;

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
  SliceSource *InputSlices_ = nullptr;
  SliceSink *OutputSlices_ = nullptr;
};

} // namespace orvelin
