#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/NewKeybag.h"

namespace zbe::crypto {

// How EncryptBackupFolder encrypts. The defaults are what a device uses today.
struct EncryptOptions {
  KeybagKind keybagKind = KeybagKind::kModern;
  uint32_t iterations = 10'000;        // ITER, PBKDF2-SHA1 rounds
  uint32_t dpIterations = 10'000'000;  // DPIC, PBKDF2-SHA256 rounds (kModern only)
  // Reproducible salts and keys for fixtures (KeySource::Seeded); random when empty.
  std::optional<uint64_t> seed;
  // Class of files whose plain record names no usable class (1 to 4 or 6 to 8).
  uint32_t protectionClass = 3;
  // False writes Manifest.db unencrypted and no ManifestKey, as backups made before iOS 10.2
  // (with a legacy keybag) have it. Only matters for the Manifest.db layout.
  bool encryptManifestDb = true;
};

// What EncryptBackupFolder did.
struct EncryptReport {
  uint64_t filesEncrypted = 0;  // stored files written encrypted
  uint64_t filesMissing = 0;    // regular files of the manifest without a stored file
};

// Writes into "outFolder" an encrypted backup equal to the plain backup in "plainFolder", laid
// out as devices write encrypted backups:
// - Manifest.plist (binary): the plain folder's own Manifest.plist when it has one, else one made
//   from Info.plist (Lockdown with ProductVersion, DeviceName, SerialNumber..., Version, Date,
//   WasPasscodeSet, Applications); with IsEncrypted true, BackupKeyBag (a new keybag of
//   "options.keybagKind" protected by "password") and, for an encrypted Manifest.db, ManifestKey
//   (class 4).
// - Info.plist and Status.plist copied byte for byte (a minimal Status.plist when there is none).
// - Manifest.db layout (stored files in two-level folders): every regular file of the Files table
//   encrypted with a fresh key of its own under the same stored name; its "file" archive gets
//   EncryptionKey, ProtectionClass and (when missing) Size, other rows and columns stay; the
//   database is then encrypted whole with a fresh manifest key.
// - Manifest.mbdb layout (flat): likewise per record, with the key in the record's encryption-key
//   field and the class byte set to match.
// Stored files that no manifest row names, and files of the manifest whose stored file is missing
// (counted in "report"), are not written. "plainFolder" is never modified: its databases are
// opened read-only and immutable, so its Manifest.db must not have a non-empty write-ahead log
// ("Manifest.db-wal"; checkpoint it first). "outFolder" must not exist or be empty, and neither
// folder may lie inside the other; it is created with mode 0700 and files get 0600. On failure
// whatever was written into "outFolder" is removed again. Returns kOk; kMissingFile when
// "plainFolder" has neither Manifest.db nor Manifest.mbdb; kBadArgument for unusable options,
// overlapping folders, a pending write-ahead log, or a plain folder whose Manifest.plist says it is
// already encrypted; EEXIST when "outFolder" holds anything; kImplausible for iteration counts
// beyond the limits of KeyDerivation.h; kMalformed for a plain manifest that cannot be read (bad
// Manifest.mbdb, an invalid file ID, an unreadable "file" archive); kUnsupported for a Manifest.db
// whose "file" column holds text; kDatabaseError; kCryptoFailure; an errno value when reading or
// writing fails.
Result EncryptBackupFolder(const std::string& plainFolder, const std::string& outFolder,
                           std::string_view password, const EncryptOptions& options,
                           EncryptReport* report);

}  // namespace zbe::crypto
