#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "backup/ManifestEntry.h"
#include "records/Result.h"

namespace zbe {

// The query that lists the manifest's rows; the benchmarks run it bare as the manifest's floor.
inline constexpr const char* kManifestFilesQuery = "select fileID,domain, relativePath from Files;";

// Loads the SQLite manifest ("Manifest.db", or its decrypted copy) at "path" into "entries",
// which is emptied first, in the order of the Files table. Every row is kept, whatever its kind
// (files, folders and links): path is the domain (empty when NULL), followed by "-" and the
// relative path when that is not NULL. The database is opened read-only and immutable.
// Returns success; SQLite's result code when it cannot be opened (14 for a missing file); or 1006
// when the query fails (no Files table, or not a database, as an encrypted one is). "entries"
// keeps the rows read before a failure.
Result ReadManifestDb(const std::string& path, std::vector<ManifestEntry>& entries);

}  // namespace zbe
