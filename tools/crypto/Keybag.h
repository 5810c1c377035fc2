#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

// One tag-length-value record of a keybag that this code does not interpret; kept so that a
// keybag written back holds everything it was read with.
struct KeybagRecord {
  std::string tag;  // 4 ASCII characters
  Bytes value;
};

// WRAP bits of a class key.
inline constexpr uint32_t kWrapDevice = 1;    // also tied to the device's hardware key
inline constexpr uint32_t kWrapPasscode = 2;  // wrapped with the passcode key

// One class-key entry of a keybag: the records from a UUID (other than the first one of the
// blob) up to the next UUID. An absent record is an empty value or an empty optional.
struct KeybagClassKey {
  Bytes uuid;                               // UUID, 16 bytes
  std::optional<uint32_t> protectionClass;  // CLAS
  std::optional<uint32_t> wrapFlags;        // WRAP, kWrap* bits
  std::optional<uint32_t> keyType;          // KTYP: 0 AES, 1 Curve25519
  Bytes wrappedKey;                         // WPKY, 40 bytes for an AES key
  Bytes publicKey;                          // PBKY, only for asymmetric classes
  std::vector<KeybagRecord> otherRecords;
};

// The backup keybag ("BackupKeyBag" of Manifest.plist). Integers are big-endian 32-bit values in
// the blob. DPWT, DPIC and DPSL exist only in keybags made by iOS 10.2 and later.
struct Keybag {
  std::optional<uint32_t> version;       // VERS
  std::optional<uint32_t> type;          // TYPE, 1 for a backup keybag
  Bytes uuid;                            // the first UUID of the blob
  Bytes hmck;                            // HMCK, unused for backups
  std::optional<uint32_t> wrap;          // WRAP seen before the first class key
  Bytes salt;                            // SALT, PBKDF2-SHA1 salt
  std::optional<uint32_t> iterations;    // ITER, PBKDF2-SHA1 rounds
  std::optional<uint32_t> dpWrap;        // DPWT
  std::optional<uint32_t> dpIterations;  // DPIC, PBKDF2-SHA256 rounds
  Bytes dpSalt;                          // DPSL, PBKDF2-SHA256 salt
  std::vector<KeybagRecord> otherRecords;
  std::vector<KeybagClassKey> classKeys;  // in blob order
};

// Parses a keybag blob: records of a 4-byte tag, a 4-byte big-endian length and the value. The
// first UUID names the keybag; each later UUID starts a class-key entry, which takes CLAS, WRAP,
// KTYP, WPKY, PBKY and unknown tags up to the next UUID; other known tags belong to the keybag
// wherever they stand. Fewer than 8 bytes left at the end are ignored. Returns kOk, or kMalformed
// when a record runs past the end of the blob or an integer record is not 4 bytes long ("keybag"
// is then unspecified).
Result ParseKeybag(ByteView blob, Keybag* keybag);

// Writes "keybag" as a blob, header first (VERS, TYPE, UUID, HMCK, WRAP, SALT, ITER, DPWT, DPIC,
// DPSL, then unknown records), then each class key (UUID, CLAS, WRAP, KTYP, WPKY, PBKY, then
// unknown records). Absent fields are left out, except the keybag's UUID when class keys
// follow (an empty one is written so that the first class key stays one). A keybag parsed from
// a blob in this order is written back byte for byte; any parsed keybag reads back the same.
Bytes SerializeKeybag(const Keybag& keybag);

}  // namespace zbe::crypto
