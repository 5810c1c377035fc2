#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tools/mkbackup/BackupWriter.h"
#include "tools/mkbackup/SampleBackup.h"

namespace zbe::mkbackup {

// How an encrypted sample backup is protected.
struct EncryptionSettings {
  std::string password;
  // The keybag of backups made before iOS 10.2 (one PBKDF2-SHA1 stage) instead of the current
  // one (PBKDF2-SHA256, then PBKDF2-SHA1). "Manifest.db" is encrypted with either kind, under a
  // ManifestKey; "Manifest.mbdb" is never encrypted (its records carry the file keys).
  bool legacyKeybag = false;
  // Rounds of both key derivation stages; nothing gives the counts of real devices (10,000 and
  // 10,000,000). Small counts keep tests fast.
  std::optional<uint32_t> iterations;
};

// Writes "backup" as an encrypted backup into "outDir" (created; must be missing or empty), laid
// out as a device writes it: the plain backup is written into a private temporary folder
// (WriteBackup with "options"), encrypted from there into "outDir" with fresh random keys, and
// removed again. Returns 0, or an errno / SQLite code / encryption result with a message in
// "error"; on failure "outDir" is left without the files this call wrote into it.
int32_t WriteEncryptedBackup(const SampleBackup& backup, const std::string& outDir,
                             const WriteOptions& options, const EncryptionSettings& settings,
                             std::string& error);

}  // namespace zbe::mkbackup
