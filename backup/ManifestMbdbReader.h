#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "backup/ManifestEntry.h"
#include "records/Result.h"

namespace zbe {

// Loads the binary manifest ("Manifest.mbdb") at "path" into "entries" (appended, in file order).
// Files get the entry path domain "-" path and, as file ID, the SHA-1 of that path; records of
// folders (mode & 0xE000 == 0x4000) and records with an empty or absent domain or path add
// nothing. Returns success, 6009 when the file cannot be opened (also when it is no regular file),
// or 87 when it cannot be loaded into memory (larger than 1 GiB) or lacks the "mbdb" magic. Never
// reads past the data it loaded: it stops at a record that runs past the end of the file and keeps
// the records before it.
Result ReadManifestMbdb(const std::string& path, std::vector<ManifestEntry>& entries);

// The same parse over bytes already in memory (the whole file, magic included).
Result ParseManifestMbdb(std::string_view data, std::vector<ManifestEntry>& entries);

}  // namespace zbe
