#pragma once

#include <cstdint>
#include <optional>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

class ClassKeys;

// A wrapped key as backups store it ("ManifestKey", a file's "EncryptionKey", the key field of a
// binary manifest record): the protection class as a little-endian 32-bit integer, then the
// 40-byte RFC 3394 wrap of a 32-byte key under that class's key.
inline constexpr size_t kPrefixedKeySize = 44;
inline constexpr size_t kContentKeySize = 32;

// Splits a prefixed key. Returns kOk, or kMalformed unless "blob" is exactly 44 bytes.
Result SplitPrefixedKey(ByteView blob, uint32_t* protectionClass, ByteView* wrapped);

// Unwraps a prefixed key with the class keys. "classHint" is the class the record names apart
// from the prefix (a file's ProtectionClass, an mbdb record's class byte); it is tried first and
// the prefix's class second when they differ, because some writers fill only one of them
// correctly. Returns kOk and sets the 32-byte "key"; kMalformed when "blob" is not 44 bytes;
// kUnsupported when no tried class has a usable key; kUnwrapFailed when every usable key failed
// the integrity check; kCryptoFailure.
Result UnwrapPrefixedKey(const ClassKeys& keys, ByteView blob, std::optional<uint32_t> classHint,
                         SecretBytes* key);

// Wraps the 32-byte "key" with the key of "protectionClass" and prefixes the class. Returns kOk;
// kBadArgument when the class has no usable key or "key" is not 32 bytes; kCryptoFailure.
Result WrapPrefixedKey(const ClassKeys& keys, uint32_t protectionClass, ByteView key, Bytes* blob);

}  // namespace zbe::crypto
