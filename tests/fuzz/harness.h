#pragma once
// What both fuzz targets share: one input layout, so one seed format serves both, and the check
// that turns a wrong outcome into a finding.
//
// Layout: [flags][password length][password][body]; bytes missing at the end read as zeros.

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvelin::fuzz {

// The body is a plain payload that the reference cipher encrypts first, so the fuzzer can shape
// what decrypts instead of only ciphertext, which it cannot forge.
inline constexpr std::uint8_t bodyIsPlain = 0x01;

struct FuzzInput {
  std::uint8_t flags = 0;
  std::string password;
  std::string body;
};

FuzzInput parseInput(const std::uint8_t *data, std::size_t size);

// The bytes to hand to the code under test: the body, or its reference encryption.
std::string cipherBytes(const FuzzInput &input);

// Aborts, which libFuzzer records as a crash with its input, when the condition does not hold.
void require(bool condition, const char *what);

} // namespace orvelin::fuzz
