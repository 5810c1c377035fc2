#include "backup/ManifestDbReader.h"

#include "records/ResultCodes.h"
#include "records/SqliteDatabase.h"

namespace zbe {

Result ReadManifestDb(const std::string& path, std::vector<ManifestEntry>& entries) {
  entries.clear();
  SqliteDatabase db;
  if (Result opened = db.Open(path); !opened.ok()) {
    return opened;
  }
  auto onRow = [&entries](int columnCount, char** values, char**) {
    if (columnCount < 3) {
      return 0;
    }
    ManifestEntry& entry = entries.emplace_back();
    if (values[0] != nullptr) {
      entry.fileID = values[0];
    }
    // Sized once: the path is built for every file of the backup.
    std::string_view domain = values[1] != nullptr ? values[1] : "";
    if (values[2] != nullptr) {
      std::string_view relative = values[2];
      entry.path.reserve(domain.size() + 1 + relative.size());
      entry.path.append(domain).append(1, '-').append(relative);
    } else {
      entry.path = domain;
    }
    return 0;
  };
  if (!db.Exec(kManifestFilesQuery, onRow).ok()) {
    return kQueryFailed;
  }
  return Result::Ok();
}

}  // namespace zbe
