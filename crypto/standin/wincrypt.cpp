// The CryptoAPI entry points of the stand-in: argument checks and error codes as the Base provider
// has them, the work itself done by the objects of service_objects.h.

#include "wincrypt.h"

#include "openssl_algorithms.h"
#include "service_objects.h"

#include <openssl/crypto.h>

#include <algorithm>
#include <cstring>
#include <string_view>

using orvelin::standin::HandleTable;
using orvelin::standin::Md5Hash;
using orvelin::standin::md5Size;
using orvelin::standin::openSslAlgorithms;
using orvelin::standin::rc2BlockSize;
using orvelin::standin::Rc2Key;

namespace {

BOOL fail(DWORD code) {
  SetLastError(code);
  return FALSE;
}

BOOL succeed() { return TRUE; }

bool knownProvider(LPCSTR name) { return name == nullptr || std::string_view(name) == MS_DEF_PROV_A; }

constexpr DWORD acceptedAcquireFlags = CRYPT_NEWKEYSET | CRYPT_VERIFYCONTEXT;

// Writes a parameter's bytes the CryptoAPI way: the size alone when there is no buffer,
// ERROR_MORE_DATA with the size when the buffer is too small.
BOOL giveParameter(const BYTE *value, DWORD size, BYTE *pbData, DWORD *pdwDataLen) {
  const DWORD room = *pdwDataLen;
  *pdwDataLen = size;
  if (pbData == nullptr) {
    return succeed();
  }
  if (room < size) {
    return fail(ERROR_MORE_DATA);
  }
  std::memcpy(pbData, value, size);
  return succeed();
}

// Hashing alongside the cipher is not supported: the engine never asks for it. FALSE, with the
// reason set, for such a call. A call that is not the last of its message must take whole blocks.
BOOL isSupportedCipherCall(HCRYPTHASH hHash, BOOL Final, DWORD dwFlags, DWORD dataLength) {
  if (dwFlags != 0) {
    return fail(NTE_BAD_FLAGS);
  }
  if (hHash != 0) {
    return fail(ERROR_CALL_NOT_IMPLEMENTED);
  }
  if (Final == FALSE && dataLength % rc2BlockSize != 0) {
    return fail(NTE_BAD_DATA);
  }
  return succeed();
}

} // namespace

BOOL CryptAcquireContextA(HCRYPTPROV *phProv, LPCSTR /*szContainer*/, LPCSTR szProvider, DWORD dwProvType,
                          DWORD dwFlags) {
  // The stand-in keeps no persistent key store, so every container name opens (or creates) alike.
  if (phProv == nullptr) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if ((dwFlags & ~acceptedAcquireFlags) != 0) {
    return fail(NTE_BAD_FLAGS);
  }
  if (dwProvType != PROV_RSA_FULL) {
    return fail(NTE_BAD_PROV_TYPE);
  }
  if (!knownProvider(szProvider)) {
    return fail(NTE_KEYSET_NOT_DEF);
  }
  if (!openSslAlgorithms().failure.empty()) {
    return fail(NTE_PROVIDER_DLL_FAIL);
  }
  *phProv = HandleTable::instance().addContext();
  return succeed();
}

BOOL CryptReleaseContext(HCRYPTPROV hProv, DWORD dwFlags) {
  if (!HandleTable::instance().releaseContext(hProv)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  return dwFlags == 0 ? succeed() : fail(NTE_BAD_FLAGS);
}

BOOL CryptCreateHash(HCRYPTPROV hProv, ALG_ID Algid, HCRYPTKEY hKey, DWORD dwFlags, HCRYPTHASH *phHash) {
  if (phHash == nullptr || !HandleTable::instance().isContext(hProv)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if (dwFlags != 0) {
    return fail(NTE_BAD_FLAGS);
  }
  if (Algid != CALG_MD5 || hKey != 0) {
    return fail(NTE_BAD_ALGID);
  }
  auto hash = std::make_shared<Md5Hash>();
  if (!hash->started()) {
    return fail(ERROR_NOT_ENOUGH_MEMORY);
  }
  const ULONG_PTR handle = HandleTable::instance().addHash(hProv, std::move(hash));
  if (handle == 0) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  *phHash = handle;
  return succeed();
}

BOOL CryptHashData(HCRYPTHASH hHash, const BYTE *pbData, DWORD dwDataLen, DWORD dwFlags) {
  const auto hash = HandleTable::instance().hash(hHash);
  if (!hash || (pbData == nullptr && dwDataLen != 0)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if (dwFlags != 0) {
    return fail(NTE_BAD_FLAGS);
  }
  return hash->absorb(pbData, dwDataLen) ? succeed() : fail(NTE_BAD_HASH_STATE);
}

BOOL CryptGetHashParam(HCRYPTHASH hHash, DWORD dwParam, BYTE *pbData, DWORD *pdwDataLen, DWORD dwFlags) {
  const auto hash = HandleTable::instance().hash(hHash);
  if (!hash || pdwDataLen == nullptr) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if (dwFlags != 0) {
    return fail(NTE_BAD_FLAGS);
  }
  switch (dwParam) {
  case HP_ALGID: {
    const DWORD algid = CALG_MD5;
    return giveParameter(reinterpret_cast<const BYTE *>(&algid), sizeof algid, pbData, pdwDataLen);
  }
  case HP_HASHSIZE:
    return giveParameter(reinterpret_cast<const BYTE *>(&md5Size), sizeof md5Size, pbData, pdwDataLen);
  case HP_HASHVAL: {
    if (pbData != nullptr && *pdwDataLen < md5Size) {
      *pdwDataLen = md5Size;
      return fail(ERROR_MORE_DATA);
    }
    auto digest = hash->value();
    if (!digest) {
      return fail(NTE_BAD_HASH_STATE);
    }
    const BOOL result = giveParameter(digest->data(), md5Size, pbData, pdwDataLen);
    OPENSSL_cleanse(digest->data(), digest->size());
    return result;
  }
  default:
    return fail(NTE_BAD_TYPE);
  }
}

BOOL CryptDeriveKey(HCRYPTPROV hProv, ALG_ID Algid, HCRYPTHASH hBaseData, DWORD dwFlags, HCRYPTKEY *phKey) {
  HandleTable &table = HandleTable::instance();
  const auto hash = table.hash(hBaseData);
  if (phKey == nullptr || !table.isContext(hProv) || !hash) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if (Algid != CALG_RC2) {
    return fail(NTE_BAD_ALGID);
  }
  if (dwFlags != 0) {
    return fail(NTE_BAD_FLAGS);
  }
  auto digest = hash->value();
  if (!digest) {
    return fail(NTE_BAD_HASH_STATE);
  }
  // The Base provider's RC2 session key: 40 bits of the digest, then an 11-byte salt of zeros.
  std::array<unsigned char, Rc2Key::size> keyBytes{};
  std::copy_n(digest->begin(), Rc2Key::effectiveBits / 8, keyBytes.begin());
  OPENSSL_cleanse(digest->data(), digest->size());
  auto key = std::make_shared<Rc2Key>(keyBytes);
  OPENSSL_cleanse(keyBytes.data(), keyBytes.size());
  const ULONG_PTR handle = table.addKey(hProv, std::move(key));
  if (handle == 0) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  *phKey = handle;
  return succeed();
}

BOOL CryptDestroyHash(HCRYPTHASH hHash) {
  return HandleTable::instance().removeHash(hHash) ? succeed() : fail(ERROR_INVALID_PARAMETER);
}

BOOL CryptDestroyKey(HCRYPTKEY hKey) {
  return HandleTable::instance().removeKey(hKey) ? succeed() : fail(ERROR_INVALID_PARAMETER);
}

BOOL CryptEncrypt(HCRYPTKEY hKey, HCRYPTHASH hHash, BOOL Final, DWORD dwFlags, BYTE *pbData, DWORD *pdwDataLen,
                  DWORD dwBufLen) {
  const auto key = HandleTable::instance().key(hKey);
  if (!key || pdwDataLen == nullptr) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if (!isSupportedCipherCall(hHash, Final, dwFlags, *pdwDataLen)) {
    return FALSE;
  }
  // Only the last call of a message adds padding.
  const std::size_t needed = Final != FALSE ? Rc2Key::cipherLength(*pdwDataLen) : *pdwDataLen;
  if (needed > UINT32_MAX) {
    return fail(NTE_BAD_LEN);
  }
  if (pbData == nullptr) {
    *pdwDataLen = static_cast<DWORD>(needed);
    return succeed();
  }
  if (dwBufLen < needed) {
    *pdwDataLen = static_cast<DWORD>(needed);
    return fail(ERROR_MORE_DATA);
  }
  if (!key->encrypt(pbData, *pdwDataLen, Final != FALSE)) {
    return fail(NTE_BAD_KEY);
  }
  *pdwDataLen = static_cast<DWORD>(needed);
  return succeed();
}

BOOL CryptDecrypt(HCRYPTKEY hKey, HCRYPTHASH hHash, BOOL Final, DWORD dwFlags, BYTE *pbData, DWORD *pdwDataLen) {
  const auto key = HandleTable::instance().key(hKey);
  if (!key || pdwDataLen == nullptr || (pbData == nullptr && *pdwDataLen != 0)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if (!isSupportedCipherCall(hHash, Final, dwFlags, *pdwDataLen)) {
    return FALSE;
  }
  // A message ends in its padding block.
  if (Final != FALSE && *pdwDataLen == 0) {
    return fail(NTE_BAD_LEN);
  }
  if (*pdwDataLen % rc2BlockSize != 0) {
    return fail(NTE_BAD_DATA);
  }
  const auto plainLength = key->decrypt(pbData, *pdwDataLen, Final != FALSE);
  if (!plainLength) {
    return fail(NTE_BAD_DATA);
  }
  *pdwDataLen = static_cast<DWORD>(*plainLength);
  return succeed();
}
