#pragma once

#include <cstdint>
#include <span>
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

// Where the encryptor takes its salts, UUIDs and keys from. Copyable value.
class KeySource {
 public:
  // Cryptographically random bytes (OpenSSL's RAND_bytes). The default for real use.
  static KeySource Random() { return KeySource(false, 0); }

  // A reproducible stream: block i is SHA-256(seed, i), both as little-endian 64-bit integers.
  // Equal seeds give byte-identical encrypted backups, for tests that compare them. The keys are
  // then as secret as the seed, so never use this for anything but fixtures.
  static KeySource Seeded(uint64_t seed) { return KeySource(true, seed); }

  // Fills "out". Returns kOk or kCryptoFailure.
  Result Fill(std::span<uint8_t> out);

 private:
  KeySource(bool seeded, uint64_t seed) : seeded_(seeded), seed_(seed) {}

  bool seeded_;
  uint64_t seed_;
  uint64_t counter_ = 0;  // next block of the seeded stream
};

}  // namespace zbe::crypto
