#pragma once
// The engine's two call sequences, made the same way by every caller: each step only when the one
// before returned true, and the session key destroyed once they all have.

namespace orvelin {

class clsCrypto;

// The content is the input (InBuffer or InputSlices); on true, the output (OutBuffer or
// OutputSlices) holds the bytes of the encrypted file.
[[nodiscard]] bool runEncryption(clsCrypto &engine);

// The input holds the bytes of an encrypted file; on true, the output holds its content (maybe
// empty).
[[nodiscard]] bool runDecryption(clsCrypto &engine);

} // namespace orvelin
