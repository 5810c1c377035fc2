#include "backup/ManifestLoader.h"

#include "backup/ManifestDbReader.h"
#include "backup/ManifestMbdbReader.h"
#include "platform/FileSystem.h"
#include "records/ResultCodes.h"

namespace zbe {

Result LoadManifest(const std::string& backupFolder, const std::string& decryptedManifest,
                    std::vector<ManifestEntry>& entries, bool& usesManifestDb) {
  entries.clear();
  std::string manifestDb = JoinPath(backupFolder, "Manifest.db");
  usesManifestDb = IsRegularFile(manifestDb);
  if (usesManifestDb) {
    bool decrypted = !decryptedManifest.empty() && IsRegularFile(decryptedManifest);
    return ReadManifestDb(decrypted ? decryptedManifest : manifestDb, entries);
  }
  std::string mbdb = JoinPath(backupFolder, "Manifest.mbdb");
  if (PathExists(mbdb)) {
    return ReadManifestMbdb(mbdb, entries);
  }
  return kMissingFile;
}

}  // namespace zbe
