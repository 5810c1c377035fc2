#include "export/ExportDestination.h"

#include "platform/ResolvedPath.h"
#include "records/CategoryTable.h"

namespace zbe {

bool ExportWouldTouchBackup(const std::string& root, const std::string& backupFolder) {
  if (backupFolder.empty()) {
    return false;
  }
  if (PathWithin(root, backupFolder)) {
    return true;
  }
  std::string base = root.empty() || root.back() != '/' ? root + "/" : root;
  for (const RecordCategoryInfo& info : RecordCategories()) {
    if (!info.exportFolder.empty() &&
        PathWithin(backupFolder, base + std::string(info.exportFolder))) {
      return true;
    }
  }
  return false;
}

}  // namespace zbe
