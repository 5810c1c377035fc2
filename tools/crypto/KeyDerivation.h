#pragma once

#include <cstdint>
#include <span>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

struct Keybag;

// Upper bounds on the iteration counts a keybag may ask for. A crafted keybag could otherwise
// make the tool spin for days; real keybags use 10,000 and 10,000,000.
inline constexpr uint32_t kMaxSha1Iterations = 1'000'000;
inline constexpr uint32_t kMaxSha256Iterations = 50'000'000;

// Size of the passcode key (key-encryption key) and of every intermediate key.
inline constexpr size_t kPasscodeKeySize = 32;

// PBKDF2 with HMAC-SHA1 or HMAC-SHA256, writing out.size() bytes. The password is taken as raw
// bytes with an explicit length (it may hold zero bytes). Returns kOk, kBadArgument for a zero
// iteration count or sizes beyond int, or kCryptoFailure.
Result Pbkdf2HmacSha1(ByteView password, ByteView salt, uint32_t iterations,
                      std::span<uint8_t> out);
Result Pbkdf2HmacSha256(ByteView password, ByteView salt, uint32_t iterations,
                        std::span<uint8_t> out);

// Derives the 32-byte passcode key that unwraps the class keys of "keybag". A keybag that holds
// both DPSL and DPIC (made by iOS 10.2 and later) takes two stages: PBKDF2-SHA256(password, DPSL,
// DPIC) and then PBKDF2-SHA1 of that raw result with SALT and ITER; any other keybag takes
// PBKDF2-SHA1(password, SALT, ITER) alone. The password is UTF-8 as typed, not normalised.
// Returns kOk and fills "kek"; kMalformed when SALT or ITER is missing (or only one of DPSL and
// DPIC is present); kImplausible when an iteration count is 0 or above the limits; kCryptoFailure.
Result DerivePasscodeKey(ByteView password, const Keybag& keybag, SecretBytes* kek);

}  // namespace zbe::crypto
