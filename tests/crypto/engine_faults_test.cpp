// Every service call of the two file sequences, failed in turn: the engine shows its message, stops
// there and produces no file. The content takes three slices, so that the first, a middle and the
// last call of each sliced operation fail too.

#include "crypto/clsCrypto.h"
#include "engine_runs.h"
#include "message_recorder.h"
#include "service_faults.h"
#include "vectors.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvelin::testing {
namespace {

constexpr DWORD injectedCode = 0x80090020; // NTE_FAIL, -2146893792

// Hashed in three slices; sealed, it is encrypted in three, and its ciphertext decrypted in three.
const std::string threeSlices = patterned(2 * clsCrypto::sliceSize + 100);

struct Fault {
  ServiceCall call;
  int occurrence;
  const char *message; // nullptr: the failure is not reported
};

void expectReportedAndStopped(const ServiceFaults &faults, MessageRecorder &boxes, const Fault &fault) {
  ASSERT_EQ(boxes.messages(), std::vector{engineFailure(std::string("Error -2146893792") + fault.message)});
  // Nothing follows the failed call but the end of a digest it leaves unfinished and the release of
  // the context.
  std::vector<ServiceCall> after = faults.log();
  const auto failed = std::find(after.rbegin(), after.rend(), fault.call);
  ASSERT_NE(failed, after.rend());
  after.erase(after.begin(), failed.base());
  const std::vector<ServiceCall> endOnly{ServiceCall::ReleaseContext};
  const std::vector<ServiceCall> digestAndEnd{ServiceCall::DestroyHash, ServiceCall::ReleaseContext};
  EXPECT_TRUE(after == endOnly || (after == digestAndEnd && fault.call != ServiceCall::DestroyHash));
}

TEST(EngineFaults, EachFailureOfTheEncryptionSequence) {
  const Fault faults[] = {
      {ServiceCall::CreateHash, 1, " during CryptCreateHash!"},
      {ServiceCall::HashData, 1, " during CryptHashData!"}, // the content's three slices
      {ServiceCall::HashData, 2, " during CryptHashData!"},
      {ServiceCall::HashData, 3, " during CryptHashData!"},
      {ServiceCall::GetHashParam, 1, " during CryptGetHashParam!"},
      {ServiceCall::GetHashParam, 2, " during CryptGetHashParam!"},
      {ServiceCall::DestroyHash, 1, " during CryptDestroyHash!"},
      {ServiceCall::CreateHash, 2, " during CryptCreateHash!"},
      {ServiceCall::HashData, 4, " during CryptHashData!"}, // the password
      {ServiceCall::DeriveKey, 1, " during CryptDeriveKey!"},
      {ServiceCall::DestroyHash, 2, " during CryptDestroyHash!"},
      {ServiceCall::Encrypt, 1, " during CryptEncrypt!"}, // the three slices
      {ServiceCall::Encrypt, 2, " during CryptEncrypt!"},
      {ServiceCall::Encrypt, 3, " during CryptEncrypt!"},
  };
  for (const Fault &fault : faults) {
    SCOPED_TRACE(std::string(fault.message) + " #" + std::to_string(fault.occurrence));
    ServiceFaults injected;
    injected.fail(fault.call, injectedCode, fault.occurrence);
    MessageRecorder boxes;
    EXPECT_EQ(sealAndEncrypt("password", threeSlices, boxes), "");
    expectReportedAndStopped(injected, boxes, fault);
  }
}

TEST(EngineFaults, EachFailureOfTheDecryptionSequence) {
  std::string file;
  {
    MessageRecorder quiet;
    file = sealAndEncrypt("password", threeSlices, quiet);
  }
  const Fault faults[] = {
      {ServiceCall::CreateHash, 1, " during CryptCreateHash!"},
      {ServiceCall::HashData, 1, " during CryptHashData!"}, // the password
      {ServiceCall::DeriveKey, 1, " during CryptDeriveKey!"},
      {ServiceCall::DestroyHash, 1, " during CryptDestroyHash!"},
      {ServiceCall::CreateHash, 2, " during CryptCreateHash!"}, // the content's digest, made as it comes
      {ServiceCall::Decrypt, 1, " during CryptDecrypt!"},       // the three slices
      {ServiceCall::Decrypt, 2, " during CryptDecrypt!"},
      {ServiceCall::Decrypt, 3, " during CryptDecrypt!"},
      {ServiceCall::HashData, 2, " during CryptHashData!"}, // the content's three slices
      {ServiceCall::HashData, 3, " during CryptHashData!"},
      {ServiceCall::HashData, 4, " during CryptHashData!"},
      {ServiceCall::GetHashParam, 1, " during CryptGetHashParam!"},
      {ServiceCall::GetHashParam, 2, " during CryptGetHashParam!"},
      {ServiceCall::DestroyHash, 2, " during CryptDestroyHash!"},
  };
  for (const Fault &fault : faults) {
    SCOPED_TRACE(std::string(fault.message) + " #" + std::to_string(fault.occurrence));
    ServiceFaults injected;
    injected.fail(fault.call, injectedCode, fault.occurrence);
    MessageRecorder boxes;
    EXPECT_FALSE(decryptAndUnseal("password", file, boxes).ok);
    expectReportedAndStopped(injected, boxes, fault);
  }
}

TEST(EngineFaults, AFailedKeyDestructionIsReportedButTheResultStands) {
  ServiceFaults injected;
  injected.fail(ServiceCall::DestroyKey, injectedCode);
  MessageRecorder boxes;
  const std::string file = sealAndEncrypt("password", "content", boxes);
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Error -2146893792 during CryptDestroyKey!"});
  EXPECT_EQ(decryptAndUnseal("password", file, boxes).content, "content");
}

} // namespace
} // namespace orvelin::testing
