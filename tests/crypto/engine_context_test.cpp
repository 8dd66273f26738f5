// The engine's life: acquiring and releasing the service context, the session key, and the way
// every failure is reported.

#include "crypto/clsCrypto.h"
#include "crypto/service_calls.h"
#include "engine_runs.h"
#include "message_recorder.h"
#include "service_faults.h"
#include "vectors.h"

#include <gtest/gtest.h>

namespace orvelin::testing {
namespace {

constexpr DWORD badKeyset = 0x80090016;    // NTE_BAD_KEYSET
constexpr DWORD keysetExists = 0x8009000F; // NTE_EXISTS

TEST(EngineContext, FirstAcquisitionSucceedingIsEnough) {
  ServiceFaults faults;
  MessageRecorder boxes;
  { const clsCrypto engine(boxes); }
  EXPECT_EQ(faults.log(), (std::vector{ServiceCall::AcquireContext, ServiceCall::ReleaseContext}));
  EXPECT_TRUE(boxes.messages().empty());
}

struct Acquisition {
  std::string container;
  std::string provider;
  DWORD type;
  DWORD flags;
  bool operator==(const Acquisition &) const = default;
};
std::vector<Acquisition> acquisitions;

// The service of a profile without the default key container: opening it fails, and asking for a new
// key set gets a context that needs no container, so that a real service gives a real handle whatever
// containers the profile holds.
BOOL acquireWithoutDefaultContainer(HCRYPTPROV *provider, LPCSTR container, LPCSTR name, DWORD type, DWORD flags) {
  acquisitions.push_back({container, name, type, flags});
  if ((flags & CRYPT_NEWKEYSET) == 0) {
    SetLastError(badKeyset);
    return FALSE;
  }
  return platformServiceCalls().CryptAcquireContextA(provider, nullptr, name, type, CRYPT_VERIFYCONTEXT);
}

TEST(EngineContext, FallsBackToANewKeySetSilently) {
  ServiceCalls calls = platformServiceCalls();
  calls.CryptAcquireContextA = acquireWithoutDefaultContainer;
  const ScopedServiceCalls scope(calls);
  MessageRecorder boxes;
  acquisitions.clear();
  const clsCrypto engine(boxes);
  const std::string base = "Microsoft Base Cryptographic Provider v1.0";
  EXPECT_EQ(acquisitions,
            (std::vector<Acquisition>{{"", base, PROV_RSA_FULL, 0}, {"", base, PROV_RSA_FULL, CRYPT_NEWKEYSET}}));
  EXPECT_NE(engine.ProviderHandle(), 0U);
  EXPECT_TRUE(boxes.messages().empty());
  EXPECT_EQ(engine.ErrorMsg(), "");
}

TEST(EngineContext, BothAcquisitionsFailingShowsTwoBoxesAndLeavesAUsableObject) {
  ServiceFaults faults;
  faults.fail(ServiceCall::AcquireContext, badKeyset, 1);
  faults.fail(ServiceCall::AcquireContext, keysetExists, 2);
  MessageRecorder boxes;
  {
    clsCrypto engine(boxes);
    EXPECT_EQ(boxes.messages(), (std::vector{engineFailure("Error creating key container - -2146893809"),
                                             engineFailure("Unable to initialize CryptoAPI.")}));
    EXPECT_EQ(engine.ErrorMsg(), "Unable to initialize CryptoAPI.");
    EXPECT_EQ(engine.ProviderHandle(), 0U);

    // The zero handle goes to the service, which refuses it.
    engine.Password("password");
    EXPECT_FALSE(engine.GeneratePasswordKey());
    EXPECT_EQ(engine.ErrorMsg(), "Error 87 during CryptCreateHash!");
  }
  EXPECT_EQ(faults.count(ServiceCall::ReleaseContext), 0) << "nothing to release without a context";
}

TEST(EngineReports, CodesAreWrittenAsSignedDecimals) {
  const std::pair<DWORD, const char *> cases[] = {
      {0xFFFFFFFF, "Error -1 during CryptCreateHash!"},
      {0x80090005, "Error -2146893819 during CryptCreateHash!"},
      {87, "Error 87 during CryptCreateHash!"},
      {0, "Error 0 during CryptCreateHash!"},
  };
  for (const auto &[code, text] : cases) {
    ServiceFaults faults;
    faults.fail(ServiceCall::CreateHash, code);
    MessageRecorder boxes;
    clsCrypto engine(boxes);
    EXPECT_FALSE(engine.HashFile());
    EXPECT_EQ(boxes.messages(), std::vector{engineFailure(text)});
  }
}

TEST(EngineReports, ErrorMsgOutlivesLaterSuccesses) {
  ServiceFaults faults;
  faults.fail(ServiceCall::CreateHash, 87, 1);
  MessageRecorder boxes;
  clsCrypto engine(boxes);
  engine.Password("password");
  EXPECT_FALSE(engine.GeneratePasswordKey());
  EXPECT_TRUE(engine.GeneratePasswordKey());
  EXPECT_TRUE(engine.HashFile());
  EXPECT_EQ(engine.ErrorMsg(), "Error 87 during CryptCreateHash!");
}

TEST(SessionKey, AFailedHashDestructionStillLeavesAWorkingKey) {
  ServiceFaults faults;
  faults.fail(ServiceCall::DestroyHash, 0x80090002);
  MessageRecorder boxes;
  clsCrypto engine(boxes);
  engine.Password("password");
  EXPECT_FALSE(engine.GeneratePasswordKey());
  EXPECT_EQ(engine.ErrorMsg(), "Error -2146893822 during CryptDestroyHash!");
  engine.InBuffer("hello world");
  EXPECT_TRUE(engine.EncryptMessageData());
  EXPECT_EQ(toHex(engine.OutBuffer()), "512e101fdcaacb689295043e674bff6a");
}

TEST(SessionKey, TheSamePasswordGivesTheSameKeyInEveryEngine) {
  MessageRecorder boxes;
  const std::string file = sealAndEncrypt("correct horse", "some content", boxes);
  EXPECT_EQ(decryptAndUnseal("correct horse", file, boxes).content, "some content");
  EXPECT_EQ(sealAndEncrypt("correct horse", "some content", boxes), file);
  EXPECT_NE(sealAndEncrypt("correct horsf", "some content", boxes), file);
  EXPECT_TRUE(boxes.messages().empty());
}

TEST(SessionKey, DestroyingItTwiceIsRefusedTheSecondTime) {
  MessageRecorder boxes;
  clsCrypto engine(boxes);
  engine.Password("password");
  ASSERT_TRUE(engine.GeneratePasswordKey());
  EXPECT_TRUE(engine.DestroySessionKey());
  EXPECT_FALSE(engine.DestroySessionKey());
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Error 87 during CryptDestroyKey!"});
}

} // namespace
} // namespace orvelin::testing
