#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkbackup/SampleBackup.h"

namespace zbe::mkbackup {

// Writes "Manifest.db" at "path" (which must not exist): the Files table (fileID TEXT PRIMARY
// KEY, domain, relativePath, flags INTEGER, file BLOB) with its indexes and an empty Properties
// table, as a device writes them; one row per stored file, folder and link, in "files" order,
// "file" holding the archived properties. Returns 0, or SQLite's error code with a message in
// "error".
int32_t WriteManifestDb(const std::string& path, const std::vector<StoredFile>& files,
                        std::string& error);

}  // namespace zbe::mkbackup
