#pragma once

#include <cstdint>
#include <string>

#include "tools/mkbackup/SampleBackup.h"

namespace zbe::mkbackup {

// Which manifest the backup has, and with it where the stored files lie.
enum class ManifestLayout {
  kDatabase,  // "Manifest.db"; stored files in subfolders named after their ID's first 2 chars
  kMbdb,      // "Manifest.mbdb" (older devices); stored files directly in the backup folder
};

struct WriteOptions {
  ManifestLayout layout = ManifestLayout::kDatabase;
};

// Writes "backup" as a plain backup folder at "outDir", which is created and must be missing or
// empty: "Info.plist" (XML), "Manifest.plist" and "Status.plist" (binary), the manifest of the
// chosen layout and every stored file under its file ID. Returns 0, or an errno / SQLite code
// with a message in "error"; a failed write may leave a partial folder behind.
int32_t WriteBackup(const SampleBackup& backup, const std::string& outDir,
                    const WriteOptions& options, std::string& error);

}  // namespace zbe::mkbackup
