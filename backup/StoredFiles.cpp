#include "backup/StoredFiles.h"

#include "platform/FileSystem.h"

namespace zbe {

StoredFileLayout LayoutFor(bool encrypted, bool usesManifestDb) {
  return (!encrypted && usesManifestDb) ? StoredFileLayout::kTwoLevel : StoredFileLayout::kFlat;
}

std::string StoredFilePath(const std::string& backupFolder, std::string_view fileID,
                           StoredFileLayout layout) {
  std::string name(fileID);
  if (layout == StoredFileLayout::kTwoLevel) {
    return JoinPath(JoinPath(backupFolder, name.substr(0, 2)), name);
  }
  return JoinPath(backupFolder, name);
}

std::vector<std::string> FindStoredFiles(const std::vector<ManifestEntry>& manifest,
                                         std::string_view name, const std::string& backupFolder,
                                         StoredFileLayout layout) {
  std::vector<std::string> paths;
  for (const ManifestEntry& entry : manifest) {
    if (entry.path.find(name) != std::string::npos) {
      paths.push_back(StoredFilePath(backupFolder, entry.fileID, layout));
    }
  }
  return paths;
}

WhatsAppDatabasePaths FindWhatsAppDatabases(const std::vector<ManifestEntry>& manifest,
                                            const std::string& backupFolder,
                                            StoredFileLayout layout) {
  WhatsAppDatabasePaths found;
  int matches = 0;
  for (const ManifestEntry& entry : manifest) {
    if (entry.path.find("ChatStorage.sqlite") != std::string::npos) {
      found.chatDatabase = StoredFilePath(backupFolder, entry.fileID, layout);
    } else if (entry.path.find("Contacts.sqlite") != std::string::npos) {
      found.contactsDatabase = StoredFilePath(backupFolder, entry.fileID, layout);
    } else {
      continue;
    }
    if (++matches == 2) {
      break;
    }
  }
  return found;
}

}  // namespace zbe
