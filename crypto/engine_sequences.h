#pragma once
// The engine's two call sequences, made the same way by every caller: each step only when the one
// before returned true, and the session key destroyed once they all have.

namespace orvelin {

class clsCrypto;

// InBuffer holds the content; on true, OutBuffer holds the bytes of the encrypted file.
[[nodiscard]] bool runEncryption(clsCrypto &engine);

// InBuffer holds the bytes of an encrypted file; on true, OutBuffer holds its content (maybe empty).
[[nodiscard]] bool runDecryption(clsCrypto &engine);

} // namespace orvelin
