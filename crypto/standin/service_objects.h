#pragma once
// The live objects behind the stand-in's handles. Every hash and key belongs to the context it was
// made on and goes with it when that context is released; key material is wiped when freed.

#include "rc2_cbc.h"
#include "wincrypt.h"

#include <openssl/types.h>

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <variant>

namespace orvelin::standin {

inline constexpr DWORD md5Size = 16;
using Md5Digest = std::array<BYTE, md5Size>;

class Md5Hash {
public:
  Md5Hash();
  Md5Hash(const Md5Hash &) = delete;
  Md5Hash &operator=(const Md5Hash &) = delete;
  ~Md5Hash();

  [[nodiscard]] bool started() const { return context_ != nullptr; }
  // False once the value has been taken: the hash is then finished.
  [[nodiscard]] bool absorb(const BYTE *data, std::size_t length);
  // Finishes the hash on first use; the same value afterwards.
  [[nodiscard]] std::optional<Md5Digest> value();

private:
  std::mutex mutex_;
  EVP_MD_CTX *context_;
  std::optional<Md5Digest> value_;
};

struct ContextObject {};
struct HashObject {
  HCRYPTPROV owner;
  std::shared_ptr<Md5Hash> hash;
};
struct KeyObject {
  HCRYPTPROV owner;
  std::shared_ptr<Rc2Key> key;
};

// Handles are never reused, so a stale handle can only ever be refused.
class HandleTable {
public:
  static HandleTable &instance();

  ULONG_PTR addContext();
  // Zero when the owner is not a live context.
  ULONG_PTR addHash(HCRYPTPROV owner, std::shared_ptr<Md5Hash> hash);
  ULONG_PTR addKey(HCRYPTPROV owner, std::shared_ptr<Rc2Key> key);

  [[nodiscard]] bool isContext(HCRYPTPROV handle);
  std::shared_ptr<Md5Hash> hash(HCRYPTHASH handle);
  std::shared_ptr<Rc2Key> key(HCRYPTKEY handle);

  // Each false when the handle does not name a live object of that kind.
  bool releaseContext(HCRYPTPROV handle); // also frees every hash and key of that context
  bool removeHash(HCRYPTHASH handle);
  bool removeKey(HCRYPTKEY handle);

private:
  using Object = std::variant<ContextObject, HashObject, KeyObject>;
  ULONG_PTR add(Object object);
  template <typename Kind> Kind *find(ULONG_PTR handle);
  template <typename Kind> bool remove(ULONG_PTR handle);

  std::mutex mutex_;
  std::unordered_map<ULONG_PTR, Object> objects_;
  ULONG_PTR next_ = 0x1000;
};

} // namespace orvelin::standin
