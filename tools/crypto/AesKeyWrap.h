#pragma once

#include <cstdint>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

// RFC 3394 AES key wrap with the default initial value A6A6A6A6A6A6A6A6. The key-encryption key
// may be 16, 24 or 32 bytes; the key data a multiple of 8 bytes, at least 16. The wrapped form is
// 8 bytes longer than the key data.

// Wraps "keyData" under "kek" into "wrapped". Returns kOk, kBadArgument for sizes outside the
// above, or kCryptoFailure.
Result AesKeyWrap(ByteView kek, ByteView keyData, Bytes* wrapped);

// Unwraps "wrapped" under "kek" into "keyData". Returns kOk; kUnwrapFailed when the integrity
// check fails (wrong key-encryption key or damaged data; "keyData" is then empty); kBadArgument
// for sizes outside the above; kCryptoFailure.
Result AesKeyUnwrap(ByteView kek, ByteView wrapped, SecretBytes* keyData);

}  // namespace zbe::crypto
