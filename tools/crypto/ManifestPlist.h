#pragma once

#include <cstdint>
#include <string>

#include <plist/plist.h>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

// The keys of a backup's "Manifest.plist" that decryption needs.
struct ManifestPlistKeys {
  bool isEncrypted = false;    // IsEncrypted; false when absent
  Bytes backupKeyBag;          // BackupKeyBag; empty when absent
  Bytes manifestKey;           // ManifestKey; empty when absent (backups before iOS 10.2)
  std::string productVersion;  // Lockdown/ProductVersion; empty when absent
};

// Largest Manifest.plist read; real ones (with application lists) stay far below.
inline constexpr size_t kMaxManifestPlistSize = 256u << 20;

// Reads "path", a binary or XML property list. Returns kOk; kMissingFile; EFBIG when the file is
// larger than kMaxManifestPlistSize; kMalformed when it is not a dictionary or one of the keys
// has the wrong type; another errno value when reading fails.
Result ReadManifestPlist(const std::string& path, ManifestPlistKeys* keys);

// The same for the bytes of the file. Returns kOk or kMalformed.
Result ParseManifestPlist(ByteView data, ManifestPlistKeys* keys);

// Marks the Manifest.plist dictionary "manifest" as encrypted: IsEncrypted true, BackupKeyBag
// "keybag", and ManifestKey "manifestKey" (removed when "manifestKey" is empty). Other keys stay.
void SetManifestEncryption(plist_t manifest, ByteView keybag, ByteView manifestKey);

}  // namespace zbe::crypto
