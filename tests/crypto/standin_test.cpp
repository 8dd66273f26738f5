// The CryptoAPI stand-in must behave as the Windows Base provider does, down to the error codes.

#include "crypto/cryptoapi.h"
#include "vectors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

namespace orvelin::testing {
namespace {

BYTE *bytes(std::string &buffer) { return reinterpret_cast<BYTE *>(buffer.data()); }

class StandIn : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(CryptAcquireContextA(&context, "", MS_DEF_PROV_A, PROV_RSA_FULL, 0)); }
  void TearDown() override { CryptReleaseContext(context, 0); }

  [[nodiscard]] HCRYPTHASH md5Of(std::string text) const {
    HCRYPTHASH hash = 0;
    EXPECT_TRUE(CryptCreateHash(context, CALG_MD5, 0, 0, &hash));
    EXPECT_TRUE(CryptHashData(hash, bytes(text), static_cast<DWORD>(text.size()), 0));
    return hash;
  }

  static std::string digest(HCRYPTHASH hash) {
    std::string value(16, '\0');
    DWORD length = 16;
    EXPECT_TRUE(CryptGetHashParam(hash, HP_HASHVAL, bytes(value), &length, 0));
    value.resize(length);
    return value;
  }

  [[nodiscard]] HCRYPTKEY keyFor(const std::string &password) const {
    const HCRYPTHASH hash = md5Of(password);
    HCRYPTKEY key = 0;
    EXPECT_TRUE(CryptDeriveKey(context, CALG_RC2, hash, 0, &key));
    EXPECT_TRUE(CryptDestroyHash(hash));
    return key;
  }

  // Encrypts a whole message; its result, or the error code after a failure.
  static std::string encrypt(HCRYPTKEY key, std::string plain) {
    auto length = static_cast<DWORD>(plain.size());
    plain.resize(plain.size() + 8);
    EXPECT_TRUE(CryptEncrypt(key, 0, TRUE, 0, bytes(plain), &length, static_cast<DWORD>(plain.size())));
    plain.resize(length);
    return plain;
  }

  HCRYPTPROV context = 0;
};

TEST_F(StandIn, MatchesTheWorkedExampleOfTheBaseProvider) {
  EXPECT_EQ(toHex(digest(md5Of("password"))), "5f4dcc3b5aa765d61d8327deb882cf99");
  EXPECT_EQ(toHex(encrypt(keyFor("password"), "hello world")), "512e101fdcaacb689295043e674bff6a");
}

TEST_F(StandIn, SizeQueryGivesTheMessageLengthRoundedUpToTheNextWholeBlock) {
  const HCRYPTKEY key = keyFor("password");
  for (const DWORD plain : {0U, 1U, 7U, 8U, 9U, 16U, 1000U}) {
    DWORD length = plain;
    EXPECT_TRUE(CryptEncrypt(key, 0, TRUE, 0, nullptr, &length, 0));
    EXPECT_EQ(length, (plain / 8 + 1) * 8) << plain;
    // A call before the last adds no padding.
    length = plain / 8 * 8;
    EXPECT_TRUE(CryptEncrypt(key, 0, FALSE, 0, nullptr, &length, 0));
    EXPECT_EQ(length, plain / 8 * 8) << plain;
  }
}

TEST_F(StandIn, AMessageInSeveralCallsIsExactlyTheMessageInOne) {
  const HCRYPTKEY key = keyFor("password");
  const std::string plain = patterned((std::size_t{3} << 20) + 21);
  const std::string whole = encrypt(key, plain);
  // Where the calls before the last end. Long calls decrypt on several cores, the first run chained
  // from the call before; the last call may hold only the padding block.
  const std::vector<std::size_t> splits[] = {
      {8},
      {8, 24},
      {std::size_t{1} << 20, (std::size_t{2} << 20) + 8},
      {(std::size_t{3} << 20) + 16},
  };
  for (const std::vector<std::size_t> &ends : splits) {
    SCOPED_TRACE(::testing::PrintToString(ends));
    // Each piece in place, all but the last with Final = FALSE; returns the whole result.
    const auto inPieces = [&ends](std::string data, std::size_t room, const auto &call) {
      std::string result;
      std::size_t start = 0;
      for (std::size_t piece = 0; piece <= ends.size(); ++piece) {
        const bool last = piece == ends.size();
        std::string bytes = data.substr(start, last ? std::string::npos : ends[piece] - start);
        auto length = static_cast<DWORD>(bytes.size());
        bytes.resize(bytes.size() + (last ? room : 0));
        EXPECT_TRUE(call(last ? TRUE : FALSE, bytes, length));
        result += bytes.substr(0, length);
        start = last ? start : ends[piece];
      }
      return result;
    };
    EXPECT_TRUE(inPieces(plain, 8, [key](BOOL last, std::string &bytes, DWORD &length) {
                  return CryptEncrypt(key, 0, last, 0, reinterpret_cast<BYTE *>(bytes.data()), &length,
                                      static_cast<DWORD>(bytes.size()));
                }) == whole);
    EXPECT_TRUE(inPieces(whole, 0, [key](BOOL last, std::string &bytes, DWORD &length) {
                  return CryptDecrypt(key, 0, last, 0, reinterpret_cast<BYTE *>(bytes.data()), &length);
                }) == plain);
    EXPECT_TRUE(encrypt(key, plain) == whole) << "the last call starts the next message afresh";
  }
}

TEST_F(StandIn, ACallBeforeTheLastTakesWholeBlocksOnly) {
  const HCRYPTKEY key = keyFor("password");
  for (const DWORD partial : {1U, 7U, 9U, 15U}) {
    SCOPED_TRACE(partial);
    std::string data(16, 'x');
    DWORD length = partial;
    EXPECT_FALSE(CryptEncrypt(key, 0, FALSE, 0, bytes(data), &length, 16));
    EXPECT_EQ(GetLastError(), NTE_BAD_DATA);
    EXPECT_FALSE(CryptDecrypt(key, 0, FALSE, 0, bytes(data), &length));
    EXPECT_EQ(GetLastError(), NTE_BAD_DATA);
    EXPECT_EQ(length, partial);
    EXPECT_EQ(data, std::string(16, 'x'));
  }
  EXPECT_EQ(toHex(encrypt(key, "hello world")), "512e101fdcaacb689295043e674bff6a") << "the chain is untouched";
}

TEST_F(StandIn, EncryptionIntoATooSmallBufferFailsWithMoreDataAndLeavesTheDataAlone) {
  std::string data = "sixteen bytes...";
  DWORD length = 16;
  EXPECT_FALSE(CryptEncrypt(keyFor("password"), 0, TRUE, 0, bytes(data), &length, 16));
  EXPECT_EQ(GetLastError(), ERROR_MORE_DATA);
  EXPECT_EQ(length, 24U);
  EXPECT_EQ(data, "sixteen bytes...");
}

TEST_F(StandIn, EveryFinalCallStartsAFreshChainFromTheZeroIv) {
  const HCRYPTKEY key = keyFor("password");
  EXPECT_EQ(encrypt(key, "the same message"), encrypt(key, "the same message"));
}

TEST_F(StandIn, DecryptionChecksLengthAndPaddingLikeTheBaseProvider) {
  const HCRYPTKEY key = keyFor("password");
  struct Case {
    const char *name;
    std::string firstBlockPlain; // a block whose last bytes are read as padding
    bool accepted;
    DWORD plainLength;
  };
  const Case cases[] = {
      {"one byte of padding", std::string("1234567\x01", 8), true, 7},
      {"two equal pad bytes", std::string("123456\x02\x02", 8), true, 6},
      {"a whole block of padding", std::string(8, '\x08'), true, 0},
      {"pad byte zero", std::string("1234567\x00", 8), false, 8},
      {"pad byte above the block size", std::string("1234567\x09", 8), false, 8},
      {"pad bytes that differ", std::string("123456\x03\x02", 8), false, 8},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    // Its first ciphertext block, alone, decrypts to the chosen block.
    std::string block = encrypt(key, c.firstBlockPlain).substr(0, 8);
    DWORD length = 8;
    EXPECT_EQ(CryptDecrypt(key, 0, TRUE, 0, bytes(block), &length) != FALSE, c.accepted);
    if (!c.accepted) {
      EXPECT_EQ(GetLastError(), NTE_BAD_DATA);
    }
    EXPECT_EQ(length, c.plainLength);
  }
}

TEST_F(StandIn, LongMessagesDecryptExactlyAsOneChainWithTheirPaddingChecked) {
  const HCRYPTKEY key = keyFor("password");
  std::string plain(5 * 1024 * 1024 + 3, '\0');
  for (std::size_t i = 0; i < plain.size(); ++i) {
    plain[i] = static_cast<char>(i * 31 + i / 4096);
  }
  const std::string cipher = encrypt(key, plain);
  std::string data = cipher;
  auto length = static_cast<DWORD>(data.size());
  ASSERT_TRUE(CryptDecrypt(key, 0, TRUE, 0, bytes(data), &length));
  data.resize(length);
  EXPECT_TRUE(data == plain);

  // A damaged last block spoils the padding however the message was split.
  data = cipher;
  data[data.size() - 9] ^= 0x40;
  length = static_cast<DWORD>(data.size());
  EXPECT_FALSE(CryptDecrypt(key, 0, TRUE, 0, bytes(data), &length));
  EXPECT_EQ(GetLastError(), NTE_BAD_DATA);
}

TEST_F(StandIn, DecryptionRefusesEmptyAndPartialBlocks) {
  const HCRYPTKEY key = keyFor("password");
  std::string data(16, 'x');
  DWORD length = 0;
  EXPECT_FALSE(CryptDecrypt(key, 0, TRUE, 0, bytes(data), &length));
  EXPECT_EQ(GetLastError(), NTE_BAD_LEN);
  length = 15;
  EXPECT_FALSE(CryptDecrypt(key, 0, TRUE, 0, bytes(data), &length));
  EXPECT_EQ(GetLastError(), NTE_BAD_DATA);
  EXPECT_EQ(length, 15U);
}

TEST_F(StandIn, HashObjectsReportTheirSizeAndFinishOnTheirValue) {
  const HCRYPTHASH hash = md5Of("");
  EXPECT_TRUE(CryptHashData(hash, nullptr, 0, 0)) << "hashing no bytes is allowed and changes nothing";
  DWORD size = 0;
  DWORD sizeLength = sizeof size;
  EXPECT_TRUE(CryptGetHashParam(hash, HP_HASHSIZE, reinterpret_cast<BYTE *>(&size), &sizeLength, 0));
  EXPECT_EQ(size, 16U);

  std::string small(8, '\0');
  DWORD length = 8;
  EXPECT_FALSE(CryptGetHashParam(hash, HP_HASHVAL, bytes(small), &length, 0));
  EXPECT_EQ(GetLastError(), ERROR_MORE_DATA);
  EXPECT_EQ(length, 16U);

  EXPECT_EQ(toHex(digest(hash)), "d41d8cd98f00b204e9800998ecf8427e");
  std::string more = "more";
  EXPECT_FALSE(CryptHashData(hash, bytes(more), 4, 0));
  EXPECT_EQ(GetLastError(), NTE_BAD_HASH_STATE);
}

TEST_F(StandIn, DerivingAKeyFinishesTheHash) {
  const HCRYPTHASH hash = md5Of("password");
  HCRYPTKEY key = 0;
  ASSERT_TRUE(CryptDeriveKey(context, CALG_RC2, hash, 0, &key));
  std::string more = "more";
  EXPECT_FALSE(CryptHashData(hash, bytes(more), 4, 0));
  EXPECT_EQ(GetLastError(), NTE_BAD_HASH_STATE);
}

TEST_F(StandIn, DeadHandlesAreRefusedWithInvalidParameter) {
  const HCRYPTKEY destroyedKey = keyFor("password");
  ASSERT_TRUE(CryptDestroyKey(destroyedKey));
  const HCRYPTHASH destroyedHash = md5Of("x");
  ASSERT_TRUE(CryptDestroyHash(destroyedHash));
  HCRYPTPROV released = 0;
  ASSERT_TRUE(CryptAcquireContextA(&released, "", MS_DEF_PROV_A, PROV_RSA_FULL, 0));
  const HCRYPTKEY keyOfReleased = [&] {
    std::swap(context, released);
    const HCRYPTKEY key = keyFor("password");
    std::swap(context, released);
    return key;
  }();
  ASSERT_TRUE(CryptReleaseContext(released, 0));

  std::string data(8, 'x');
  DWORD length = 8;
  HCRYPTHASH hash = 0;
  HCRYPTKEY key = 0;
  for (const ULONG_PTR handle : {ULONG_PTR{0}, ULONG_PTR{0xdead}, destroyedKey, keyOfReleased}) {
    SCOPED_TRACE(handle);
    EXPECT_FALSE(CryptEncrypt(handle, 0, TRUE, 0, bytes(data), &length, 8));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(CryptDecrypt(handle, 0, TRUE, 0, bytes(data), &length));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(CryptDestroyKey(handle));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  for (const ULONG_PTR deadHash : {ULONG_PTR{0}, ULONG_PTR{0xdead}, destroyedHash}) {
    SCOPED_TRACE(deadHash);
    EXPECT_FALSE(CryptHashData(deadHash, bytes(data), 8, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    // HP_HASHVAL names the parameter asked for; the handle comes first.
    // NOLINTNEXTLINE(readability-suspicious-call-argument)
    EXPECT_FALSE(CryptGetHashParam(deadHash, HP_HASHVAL, bytes(data), &length, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(CryptDeriveKey(context, CALG_RC2, deadHash, 0, &key));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(CryptDestroyHash(deadHash));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  for (const ULONG_PTR handle : {ULONG_PTR{0}, ULONG_PTR{0xdead}, released}) {
    SCOPED_TRACE(handle);
    EXPECT_FALSE(CryptCreateHash(handle, CALG_MD5, 0, 0, &hash));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(CryptReleaseContext(handle, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
}

TEST_F(StandIn, AcquisitionTakesTheEnginesArgumentsAndRefusesOthers) {
  HCRYPTPROV other = 0;
  EXPECT_TRUE(CryptAcquireContextA(&other, "", MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET));
  EXPECT_TRUE(CryptReleaseContext(other, 0));
  EXPECT_FALSE(CryptAcquireContextA(&other, "", MS_DEF_PROV_A, PROV_RSA_FULL, 0x4));
  EXPECT_EQ(GetLastError(), NTE_BAD_FLAGS);
  EXPECT_FALSE(CryptAcquireContextA(&other, "", MS_DEF_PROV_A, 24, 0));
  EXPECT_EQ(GetLastError(), NTE_BAD_PROV_TYPE);
  EXPECT_FALSE(CryptAcquireContextA(&other, "", "Some Other Provider", PROV_RSA_FULL, 0));
  EXPECT_EQ(GetLastError(), NTE_KEYSET_NOT_DEF);
}

TEST(StandInLastError, EachThreadHasItsOwn) {
  SetLastError(1234);
  DWORD seenByOther = 0;
  std::thread([&] {
    SetLastError(5678);
    seenByOther = GetLastError();
  }).join();
  EXPECT_EQ(seenByOther, 5678U);
  EXPECT_EQ(GetLastError(), 1234U);
}

TEST(StandInWithoutRc2, AcquisitionFailsAndSaysWhy) {
  // A fresh process that finds no OpenSSL modules, so the legacy provider cannot load.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ::setenv("OPENSSL_MODULES", "/nonexistent", 1);
  EXPECT_EXIT(
      {
        HCRYPTPROV context = 0;
        const bool refused = !CryptAcquireContextA(&context, "", MS_DEF_PROV_A, PROV_RSA_FULL, 0) &&
                             GetLastError() == NTE_PROVIDER_DLL_FAIL;
        std::exit(refused ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "cannot load OpenSSL's legacy provider");
  ::unsetenv("OPENSSL_MODULES");
}

} // namespace
} // namespace orvelin::testing
