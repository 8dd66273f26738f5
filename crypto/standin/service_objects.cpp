#include "service_objects.h"

#include "openssl_algorithms.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

namespace orvelin::standin {

Md5Hash::Md5Hash() : context_(EVP_MD_CTX_new()) {
  const EVP_MD *md5 = openSslAlgorithms().md5;
  if (context_ != nullptr && (md5 == nullptr || EVP_DigestInit_ex2(context_, md5, nullptr) != 1)) {
    EVP_MD_CTX_free(context_);
    context_ = nullptr;
  }
}

Md5Hash::~Md5Hash() {
  EVP_MD_CTX_free(context_);
  if (value_) {
    OPENSSL_cleanse(value_->data(), value_->size());
  }
}

bool Md5Hash::absorb(const BYTE *data, std::size_t length) {
  const std::lock_guard lock(mutex_);
  return !value_ && EVP_DigestUpdate(context_, data, length) == 1;
}

std::optional<Md5Digest> Md5Hash::value() {
  const std::lock_guard lock(mutex_);
  if (!value_) {
    Md5Digest digest{};
    if (EVP_DigestFinal_ex(context_, digest.data(), nullptr) != 1) {
      return std::nullopt;
    }
    value_ = digest;
  }
  return value_;
}

HandleTable &HandleTable::instance() {
  static HandleTable table;
  return table;
}

ULONG_PTR HandleTable::add(Object object) {
  const std::lock_guard lock(mutex_);
  const ULONG_PTR handle = next_++;
  objects_.emplace(handle, std::move(object));
  return handle;
}

template <typename Kind> Kind *HandleTable::find(ULONG_PTR handle) {
  const auto found = objects_.find(handle);
  return found == objects_.end() ? nullptr : std::get_if<Kind>(&found->second);
}

template <typename Kind> bool HandleTable::remove(ULONG_PTR handle) {
  const std::lock_guard lock(mutex_);
  if (find<Kind>(handle) == nullptr) {
    return false;
  }
  objects_.erase(handle);
  return true;
}

ULONG_PTR HandleTable::addContext() { return add(ContextObject{}); }

ULONG_PTR HandleTable::addHash(HCRYPTPROV owner, std::shared_ptr<Md5Hash> hash) {
  return isContext(owner) ? add(HashObject{owner, std::move(hash)}) : 0;
}

ULONG_PTR HandleTable::addKey(HCRYPTPROV owner, std::shared_ptr<Rc2Key> key) {
  return isContext(owner) ? add(KeyObject{owner, std::move(key)}) : 0;
}

bool HandleTable::isContext(HCRYPTPROV handle) {
  const std::lock_guard lock(mutex_);
  return find<ContextObject>(handle) != nullptr;
}

std::shared_ptr<Md5Hash> HandleTable::hash(HCRYPTHASH handle) {
  const std::lock_guard lock(mutex_);
  const HashObject *object = find<HashObject>(handle);
  return object == nullptr ? nullptr : object->hash;
}

std::shared_ptr<Rc2Key> HandleTable::key(HCRYPTKEY handle) {
  const std::lock_guard lock(mutex_);
  const KeyObject *object = find<KeyObject>(handle);
  return object == nullptr ? nullptr : object->key;
}

bool HandleTable::releaseContext(HCRYPTPROV handle) {
  const std::lock_guard lock(mutex_);
  if (find<ContextObject>(handle) == nullptr) {
    return false;
  }
  std::erase_if(objects_, [handle](const auto &entry) {
    return entry.first == handle || std::visit(
                                        [handle](const auto &object) {
                                          if constexpr (std::is_same_v<std::decay_t<decltype(object)>, ContextObject>) {
                                            return false;
                                          } else {
                                            return object.owner == handle;
                                          }
                                        },
                                        entry.second);
  });
  return true;
}

bool HandleTable::removeHash(HCRYPTHASH handle) { return remove<HashObject>(handle); }

bool HandleTable::removeKey(HCRYPTKEY handle) { return remove<KeyObject>(handle); }

} // namespace orvelin::standin
