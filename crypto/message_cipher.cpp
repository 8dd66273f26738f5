// Encryption and decryption with the session key: one complete message each time, handed to the
// service a slice at a time, the key carrying the cipher's chain from one call to the next and the
// last call completing the message (padding added, or checked and taken off).

#include "clsCrypto.h"
#include "service_calls.h"

namespace orvelin {
namespace {

// Every call but the last must be a whole number of the cipher's blocks.
constexpr std::size_t blockSize = 8;

} // namespace

bool clsCrypto::throughCipher(Direction direction, SliceSource &input, std::string lead, SliceSink &output) {
  const ServiceCalls &calls = serviceCalls();
  const Work work = direction == Direction::encipher ? Work::Encrypting : Work::Decrypting;
  std::string carried = std::move(lead);
  std::string slice = input.next();
  std::uint64_t done = 0;
  for (;;) {
    // One slice ahead, to know which call completes the message.
    std::string following = slice.empty() ? std::string() : input.next();
    const bool last = following.empty();
    done += slice.size();
    slice.insert(0, carried);
    const std::size_t whole = last ? slice.size() : slice.size() - slice.size() % blockSize;
    carried.assign(slice, whole);
    slice.resize(whole);
    auto length = static_cast<DWORD>(whole);
    // The last call may write up to a block past the message: encryption adds its padding, and a
    // service may decipher a last block whole where the ciphertext stops short of it (Wine's does).
    slice.resize(whole + (last ? paddingGrowth : 0));
    BOOL called = FALSE;
    if (direction == Direction::encipher) {
      called = calls.CryptEncrypt(SessionKeyHandle_, 0, last ? TRUE : FALSE, 0, reinterpret_cast<BYTE *>(slice.data()),
                                  &length, static_cast<DWORD>(slice.size()));
    } else {
      called = calls.CryptDecrypt(SessionKeyHandle_, 0, last ? TRUE : FALSE, 0, reinterpret_cast<BYTE *>(slice.data()),
                                  &length);
    }
    if (called == FALSE) {
      return false;
    }
    slice.resize(length);
    output.take(std::move(slice));
    progress(work, done, input);
    if (last) {
      return true;
    }
    slice = std::move(following);
  }
}

bool clsCrypto::EncryptMessageData() {
  return withStreams([this](SliceSource &input, SliceSink &output) {
    return throughCipher(Direction::encipher, input, {}, output) || reportServiceFailure(" during CryptEncrypt!");
  });
}

bool clsCrypto::DecryptMessageData() {
  return withStreams([this](SliceSource &input, SliceSink &output) {
    return throughCipher(Direction::decipher, input, {}, output) || reportServiceFailure(" during CryptDecrypt!");
  });
}

} // namespace orvelin
