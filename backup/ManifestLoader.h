#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "backup/ManifestEntry.h"
#include "records/Result.h"

namespace zbe {

// Loads the manifest of the backup in "backupFolder" into "entries" (emptied first) and sets
// "usesManifestDb" when the folder holds a file "Manifest.db". With "Manifest.db" the database
// read is "decryptedManifest" when that names an existing file (the decrypted copy of an
// encrypted backup; empty for a plain one), else the folder's "Manifest.db"; otherwise the
// folder's "Manifest.mbdb" is read. Returns the reader's result (see ReadManifestDb and
// ReadManifestMbdb), or 87 when the folder holds neither manifest. Only reads.
Result LoadManifest(const std::string& backupFolder, const std::string& decryptedManifest,
                    std::vector<ManifestEntry>& entries, bool& usesManifestDb);

}  // namespace zbe
