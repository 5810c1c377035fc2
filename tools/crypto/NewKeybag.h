#pragma once

#include <cstdint>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

class ClassKeys;
class KeySource;
struct Keybag;

// Which key derivation a new keybag asks for.
enum class KeybagKind {
  kModern,  // iOS 10.2 and later: DPSL/DPIC (PBKDF2-SHA256), then SALT/ITER (PBKDF2-SHA1)
  kLegacy,  // earlier: SALT/ITER (PBKDF2-SHA1) only
};

// Makes a backup keybag protected by "password" with fresh 32-byte keys for protection classes
// 11 down to 1, as devices write them: classes 5 and 9 to 11 are marked as also tied to the
// device (WRAP 3), so they can never be used off it; the others carry WRAP 2. "iterations" is
// ITER; "dpIterations" is DPIC (ignored for kLegacy). Salts, UUIDs and keys come from "source".
// Returns kOk and fills "keybag" and "keys" (with only the usable classes usable);
// kImplausible when an iteration count is 0 or beyond what DerivePasscodeKey accepts;
// kCryptoFailure.
Result MakeBackupKeybag(ByteView password, KeybagKind kind, uint32_t iterations,
                        uint32_t dpIterations, KeySource& source, Keybag* keybag, ClassKeys* keys);

}  // namespace zbe::crypto
