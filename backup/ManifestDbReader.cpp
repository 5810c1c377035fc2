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
    ManifestEntry entry;
    entry.fileID = values[0] != nullptr ? values[0] : "";
    entry.path = values[1] != nullptr ? values[1] : "";
    if (values[2] != nullptr) {
      entry.path += '-';
      entry.path += values[2];
    }
    entries.push_back(std::move(entry));
    return 0;
  };
  if (!db.Exec("select fileID,domain, relativePath from Files;", onRow).ok()) {
    return kQueryFailed;
  }
  return Result::Ok();
}

}  // namespace zbe
