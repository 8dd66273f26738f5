#pragma once
// The subset of the Windows CryptoAPI (advapi32, wincrypt.h) that the engine uses, for platforms
// without it: the same names, types, argument order and error codes, behaving as the
// "Microsoft Base Cryptographic Provider v1.0" does. Implemented on OpenSSL's libcrypto.

#include <cstdint>

using BOOL = int;
using BYTE = unsigned char;
using DWORD = std::uint32_t;
using ALG_ID = unsigned int;
using ULONG_PTR = std::uintptr_t;
using LPCSTR = const char *;
using HCRYPTPROV = ULONG_PTR;
using HCRYPTKEY = ULONG_PTR;
using HCRYPTHASH = ULONG_PTR;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

inline constexpr DWORD PROV_RSA_FULL = 1;
inline constexpr DWORD CRYPT_NEWKEYSET = 0x8;
inline constexpr DWORD CRYPT_VERIFYCONTEXT = 0xF0000000;
inline constexpr ALG_ID CALG_MD5 = 0x8003;
inline constexpr ALG_ID CALG_RC2 = 0x6602;
inline constexpr DWORD HP_ALGID = 1;
inline constexpr DWORD HP_HASHVAL = 2;
inline constexpr DWORD HP_HASHSIZE = 4;
inline constexpr const char *MS_DEF_PROV_A = "Microsoft Base Cryptographic Provider v1.0";

inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_CALL_NOT_IMPLEMENTED = 120;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD NTE_BAD_KEY = 0x80090003;
inline constexpr DWORD NTE_BAD_LEN = 0x80090004;
inline constexpr DWORD NTE_BAD_DATA = 0x80090005;
inline constexpr DWORD NTE_BAD_ALGID = 0x80090008;
inline constexpr DWORD NTE_BAD_FLAGS = 0x80090009;
inline constexpr DWORD NTE_BAD_TYPE = 0x8009000A;
inline constexpr DWORD NTE_BAD_HASH_STATE = 0x8009000C;
inline constexpr DWORD NTE_BAD_PROV_TYPE = 0x80090014;
inline constexpr DWORD NTE_KEYSET_NOT_DEF = 0x80090019;
inline constexpr DWORD NTE_PROVIDER_DLL_FAIL = 0x8009001D;

BOOL CryptAcquireContextA(HCRYPTPROV *phProv, LPCSTR szContainer, LPCSTR szProvider, DWORD dwProvType, DWORD dwFlags);
BOOL CryptReleaseContext(HCRYPTPROV hProv, DWORD dwFlags);
BOOL CryptCreateHash(HCRYPTPROV hProv, ALG_ID Algid, HCRYPTKEY hKey, DWORD dwFlags, HCRYPTHASH *phHash);
BOOL CryptHashData(HCRYPTHASH hHash, const BYTE *pbData, DWORD dwDataLen, DWORD dwFlags);
BOOL CryptDeriveKey(HCRYPTPROV hProv, ALG_ID Algid, HCRYPTHASH hBaseData, DWORD dwFlags, HCRYPTKEY *phKey);
BOOL CryptDestroyHash(HCRYPTHASH hHash);
BOOL CryptGetHashParam(HCRYPTHASH hHash, DWORD dwParam, BYTE *pbData, DWORD *pdwDataLen, DWORD dwFlags);
BOOL CryptEncrypt(HCRYPTKEY hKey, HCRYPTHASH hHash, BOOL Final, DWORD dwFlags, BYTE *pbData, DWORD *pdwDataLen,
                  DWORD dwBufLen);
BOOL CryptDecrypt(HCRYPTKEY hKey, HCRYPTHASH hHash, BOOL Final, DWORD dwFlags, BYTE *pbData, DWORD *pdwDataLen);
BOOL CryptDestroyKey(HCRYPTKEY hKey);

// The calling thread's last-error code, as kernel32 keeps it.
DWORD GetLastError();
void SetLastError(DWORD dwErrCode);
